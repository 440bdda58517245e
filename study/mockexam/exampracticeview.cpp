// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/exampracticeview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "questionbank/examfields.h"
#include "study/examtext.h"
#include "study/mockexam/exambutton.h"
#include "study/mockexam/examkeys.h"
#include "study/mockexam/examlog.h"
#include "study/mockexam/practicesession.h"

ExamPracticeView::ExamPracticeView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("exampractice"));
    view_ = new ExamQuestionView(this);
    view_->setConfirmText(QStringLiteral("确定（Enter）"));
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("lblpractice"));
    feedback_ = new QLabel(this);
    feedback_->setObjectName(QStringLiteral("lblfeedback"));
    feedback_->setWordWrap(true);
    feedback_->setTextFormat(Qt::PlainText);
    QFont f = feedback_->font();
    f.setPointSize(12);
    feedback_->setFont(f);
    QPushButton* previous = examButton(QStringLiteral("上一题（←）"), "cmdpracticeprevious", this);
    QPushButton* next = examButton(QStringLiteral("下一题（→）"), "cmdpracticenext", this);
    QPushButton* back = examButton(QStringLiteral("返回"), "cmdpracticeback", this);

    auto* moves = new QHBoxLayout;
    moves->addWidget(previous);
    moves->addWidget(next);
    moves->addStretch(1);
    moves->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(position_);
    layout->addWidget(view_, 1);
    layout->addWidget(feedback_);
    layout->addLayout(moves);

    connect(view_, &ExamQuestionView::optionClicked, this, &ExamPracticeView::choose);
    connect(view_, &ExamQuestionView::confirmClicked, this, &ExamPracticeView::confirm);
    connect(previous, &QPushButton::clicked, this, [this] { move(-1); });
    connect(next, &QPushButton::clicked, this, [this] { move(1); });
    connect(back, &QPushButton::clicked, this, &ExamPracticeView::backClicked);
}

void ExamPracticeView::attach(PracticeSession* session, const QString& name,
                              ExamQuestionView::PictureReader reader) {
    session_ = session;
    name_ = name;
    view_->setPictureReader(std::move(reader));
    if (session_ && !session_->isEmpty()) showCurrent();
}

void ExamPracticeView::showCurrent() {
    pending_.clear();
    feedback_->clear();
    const ExamQuestion& q = session_->current();
    showPosition();
    view_->showQuestion(q, q.kind + QStringLiteral("题"), QString());
    qCInfo(lcExam).noquote() << QStringLiteral("practice shows question %1 of %2 kind %3 answer %4")
                                    .arg(session_->position() + 1)
                                    .arg(session_->count())
                                    .arg(q.kind, q.answer);
}

void ExamPracticeView::showPosition() {
    position_->setText(QStringLiteral("练习：%1　第 %2 / %3 题　答对 %4 / %5")
                           .arg(name_)
                           .arg(session_->position() + 1)
                           .arg(session_->count())
                           .arg(session_->rightCount())
                           .arg(session_->answeredCount()));
}

void ExamPracticeView::move(int direction) {
    if (!session_ || session_->isEmpty()) return;
    direction > 0 ? session_->next() : session_->previous();
    showCurrent();
}

void ExamPracticeView::choose(int option) {
    if (!session_ || session_->isEmpty() || session_->answered()) return;
    const ExamQuestion& q = session_->current();
    if (!q.isJudge() && q.options[size_t(option)].isEmpty()) return;
    const QString response = ExamQuestionView::responseOf(q, option);
    if (!q.isMultiple()) {
        answer(response);
        return;
    }
    pending_ = pending_.contains(response) ? QString(pending_).remove(response)
                                           : q.normalisedResponse(pending_ + response);
    view_->setResponse(pending_);
}

void ExamPracticeView::confirm() {
    if (!session_ || session_->isEmpty()) return;
    if (session_->answered()) {
        move(1);
        return;
    }
    if (session_->current().isMultiple() && !pending_.isEmpty()) answer(pending_);
}

void ExamPracticeView::answer(const QString& response) {
    const std::optional<PracticeSession::Feedback> f = session_->answer(response);
    if (!f) return;
    const ExamQuestion& q = session_->current();
    const ExamFields fields = ExamQuestionView::fieldsOf(q);
    view_->reveal(f->answer, f->response);
    QString text = f->right ? QStringLiteral("回答正确。")
                            : QStringLiteral("回答错误。正确答案：") +
                                  ExamText::answer(f->answer, fields, false);
    if (!f->explanation.isEmpty()) text += QStringLiteral("\n解析：") + f->explanation;
    text += QStringLiteral("\n按 Enter 或 → 继续。");
    feedback_->setText(text);
    showPosition();
    qCInfo(lcExam).noquote() << QStringLiteral("practice answer %1 %2")
                                    .arg(f->response, f->right ? QStringLiteral("right")
                                                               : QStringLiteral("wrong"));
    emit answered();
}

bool ExamPracticeView::handleKey(int key) {
    if (!session_ || session_->isEmpty()) return false;
    const ExamKeys::Meaning m = ExamKeys::of(key, session_->current().isJudge());
    switch (m.action) {
        case ExamKeys::Action::Option:
            choose(m.option);
            return true;
        case ExamKeys::Action::Confirm:
            confirm();
            return true;
        case ExamKeys::Action::Next:
            move(1);
            return true;
        case ExamKeys::Action::Previous:
            move(-1);
            return true;
        case ExamKeys::Action::Zoom:
            view_->zoomPicture();
            return true;
        case ExamKeys::Action::None:
            break;
    }
    return false;
}
