// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examanswergrid.h"

#include <QGridLayout>
#include <QPushButton>
#include <QStyle>

namespace {
const char* const kLook = R"(
QPushButton { min-width: 2.4em; max-width: 2.4em; min-height: 1.8em; padding: 0; background: white; border: 1px solid #9aa4b0; }
QPushButton[answered="true"] { background: #8fb8e8; border-color: #5a86bb; }
QPushButton[current="true"] { border: 2px solid #d9822b; font-weight: bold; }
)";
}  // namespace

ExamAnswerGrid::ExamAnswerGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examgrid"));
    setStyleSheet(QString::fromLatin1(kLook));
    auto* layout = new QGridLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(0, 0, 0, 0);
}

void ExamAnswerGrid::setCount(int count) {
    for (QPushButton* b : buttons_) delete b;
    buttons_.clear();
    auto* layout = static_cast<QGridLayout*>(this->layout());
    for (int i = 0; i < count; ++i) {
        auto* b = new QPushButton(QString::number(i + 1), this);
        b->setObjectName(QStringLiteral("grid%1").arg(i + 1));
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("answered", false);
        b->setProperty("current", false);
        b->setToolTip(QStringLiteral("第 %1 题：未答").arg(i + 1));
        connect(b, &QPushButton::clicked, this, [this, i] { emit jumpTo(i); });
        layout->addWidget(b, i / kColumns, i % kColumns);
        buttons_.push_back(b);
    }
}

void ExamAnswerGrid::setState(int i, bool answered, bool current) {
    QPushButton* b = buttons_.at(size_t(i));
    if (b->property("answered").toBool() == answered && b->property("current").toBool() == current)
        return;
    b->setProperty("answered", answered);
    b->setProperty("current", current);
    b->setToolTip(answered ? QStringLiteral("第 %1 题：已答").arg(i + 1)
                           : QStringLiteral("第 %1 题：未答").arg(i + 1));
    b->style()->unpolish(b);
    b->style()->polish(b);
}

ExamAnswerGrid::Look ExamAnswerGrid::look(int i) const {
    const QPushButton* b = buttons_.at(size_t(i));
    const bool answered = b->property("answered").toBool();
    if (b->property("current").toBool()) return answered ? Look::AnsweredCurrent : Look::Current;
    return answered ? Look::Answered : Look::Unanswered;
}
