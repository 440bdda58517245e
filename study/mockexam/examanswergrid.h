// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <vector>

class QPushButton;

// The paper at a glance: a numbered button per question, ten to a row,
// answered ones filled, unanswered ones plain and the current one framed.
// A click jumps to that question.
class ExamAnswerGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;
    enum class Look { Unanswered, Answered, Current, AnsweredCurrent };

    explicit ExamAnswerGrid(QWidget* parent = nullptr);

    // Makes `count` buttons, all unanswered.
    void setCount(int count);
    int count() const { return int(buttons_.size()); }
    // Question i's look.
    void setState(int i, bool answered, bool current);
    Look look(int i) const;
    QPushButton* button(int i) const { return buttons_.at(size_t(i)); }

signals:
    void jumpTo(int index);

private:
    std::vector<QPushButton*> buttons_;
};
