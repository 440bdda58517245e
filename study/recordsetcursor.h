// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "study/studycycle.h"

class DataControl;

// The display's data source as the cycle steps through it: the record set
// that the data control holds at the time (it is replaced at every reload).
class RecordSetCursor : public StudyCycle::Records {
public:
    explicit RecordSetCursor(DataControl& data) : data_(data) {}
    int count() const override;
    void move(int direction) override;
    bool hasCurrent() const override;
    int position() const override;
    QString question() const override;
    QString answer() const override;

private:
    DataControl& data_;
};
