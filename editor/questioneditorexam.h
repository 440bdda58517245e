// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <array>

#include "questionbank/examfields.h"

class QComboBox;
class QLineEdit;
class QuestionBox;

// The exam-form fields of the question an editor shows: its kind, four
// option texts and its explanation. The editor shows them only for a file
// that has their columns; what they hold is saved with the record.
class ExamPanel : public QWidget {
    Q_OBJECT
public:
    explicit ExamPanel(QWidget* parent = nullptr);

    void showFields(const ExamFields& fields);
    void clear() { showFields({}); }
    ExamFields fields() const;

    // Its height in the editor, below the answer box.
    static constexpr int kHeight = 176;

private:
    QComboBox* kind_;
    std::array<QLineEdit*, 4> options_{};
    QuestionBox* explanation_;
};
