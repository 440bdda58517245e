// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "study/studycycle.h"

class DataControl;

// The display's data source as the cycle steps through it: the record set
// that the data control holds at the time (it is replaced at every reload).
// An exam-form question comes with its options under it and its answer
// written out (ExamText).
class RecordSetCursor : public StudyCycle::Records {
public:
    explicit RecordSetCursor(DataControl& data) : data_(data) {}
    // Whether the answer comes with its explanation; asked at every record.
    void setExplanationShown(std::function<bool()> shown) { explanationShown_ = std::move(shown); }
    // Whether the current record is an exam-form question.
    bool examForm() const;
    int count() const override;
    void move(int direction) override;
    bool hasCurrent() const override;
    int position() const override;
    QString question() const override;
    QString answer() const override;

private:
    DataControl& data_;
    std::function<bool()> explanationShown_;
};
