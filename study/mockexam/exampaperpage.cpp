// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/exampaperpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/widgets/messagebox.h"
#include "study/mockexam/examanswergrid.h"
#include "study/mockexam/exambutton.h"
#include "study/mockexam/examkeys.h"
#include "study/mockexam/examlog.h"
#include "study/mockexam/examsession.h"
#include "study/questionpicture.h"

ExamPaperPage::ExamPaperPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("exampaper"));
    view_ = new ExamQuestionView(this);
    view_->setConfirmText(QStringLiteral("确定（Enter）"));
    grid_ = new ExamAnswerGrid(this);
    clock_ = new QLabel(this);
    clock_->setObjectName(QStringLiteral("lblclock"));
    QFont big = clock_->font();
    big.setPointSize(16);
    big.setBold(true);
    clock_->setFont(big);
    answered_ = new QLabel(this);
    answered_->setObjectName(QStringLiteral("lblanswered"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblstatus"));
    previous_ = examButton(QStringLiteral("上一题（←）"), "cmdprevious", this);
    next_ = examButton(QStringLiteral("下一题（→）"), "cmdnext", this);
    QPushButton* submit = examButton(QStringLiteral("交卷（Ctrl+Enter）"), "cmdsubmit", this);

    auto* moves = new QHBoxLayout;
    moves->addWidget(previous_);
    moves->addWidget(next_);
    moves->addWidget(status_, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(view_, 1);
    left->addLayout(moves);
    auto* right = new QVBoxLayout;
    right->addWidget(clock_);
    right->addWidget(answered_);
    right->addWidget(grid_);
    right->addStretch(1);
    right->addWidget(submit);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(view_, &ExamQuestionView::optionClicked, this, &ExamPaperPage::choose);
    connect(view_, &ExamQuestionView::confirmClicked, this, &ExamPaperPage::confirm);
    connect(grid_, &ExamAnswerGrid::jumpTo, this, [this](int i) {
        if (session_) session_->jump(i);
    });
    connect(previous_, &QPushButton::clicked, this, [this] {
        if (session_) session_->previous();
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        if (session_) session_->next();
    });
    connect(submit, &QPushButton::clicked, this, &ExamPaperPage::submitAsked);
}

void ExamPaperPage::attach(ExamSession* session, ExamQuestionView::PictureReader reader) {
    if (session_) session_->disconnect(this);
    session_ = session;
    shown_ = -1;
    view_->setPictureReader(std::move(reader));
    if (!session) return;
    grid_->setCount(session->count());
    connect(session, &ExamSession::changed, this, &ExamPaperPage::refresh);
    connect(session, &ExamSession::tick, this, &ExamPaperPage::showTime);
    showTime(session->remainingMs());
    refresh();
}

QString ExamPaperPage::clockText(qint64 remainingMs) {
    const qint64 seconds = (std::max<qint64>(remainingMs, 0) + 999) / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void ExamPaperPage::showTime(qint64 remainingMs) {
    clock_->setText(QStringLiteral("剩余时间 ") + clockText(remainingMs));
}

void ExamPaperPage::say(const QString& text) {
    status_->setText(text);
}

void ExamPaperPage::refresh() {
    if (!session_) return;
    const int current = session_->current();
    for (int i = 0; i < session_->count(); ++i)
        grid_->setState(i, session_->isAnswered(i), i == current);
    answered_->setText(
        QStringLiteral("已答 %1 / %2").arg(session_->answeredCount()).arg(session_->count()));
    previous_->setEnabled(current > 0);
    next_->setEnabled(current + 1 < session_->count());
    const ExamQuestion& q = session_->currentQuestion();
    if (current == shown_) {
        view_->setResponse(session_->response(current));
        return;
    }
    shown_ = current;
    say(QString());
    const QString kind = q.kind + QStringLiteral("题");
    view_->showQuestion(
        q, QStringLiteral("第 %1 / %2 题　%3").arg(current + 1).arg(session_->count()).arg(kind),
        session_->response(current));
    // The right answer is in the line so that end-to-end tests can answer;
    // the category is off unless switched on.
    qCInfo(lcExam).noquote() << QStringLiteral(
                                    "exam shows question %1 of %2 kind %3 answer %4 picture %5")
                                    .arg(current + 1)
                                    .arg(session_->count())
                                    .arg(q.kind, q.answer,
                                         view_->picture()->shown() ? QStringLiteral("yes")
                                                                   : QStringLiteral("no"));
}

void ExamPaperPage::choose(int option) {
    if (!session_ || session_->isSubmitted()) return;
    const ExamQuestion& q = session_->currentQuestion();
    if (!q.isJudge() && q.options[size_t(option)].isEmpty()) return;
    if (q.isMultiple()) {
        session_->toggleLetter(option);
        return;
    }
    session_->answer(ExamQuestionView::responseOf(q, option));
    if (!session_->next() && !session_->isSubmitted())
        say(QStringLiteral("这是最后一题，可以交卷了（Ctrl+Enter）"));
}

void ExamPaperPage::confirm() {
    if (!session_ || session_->isSubmitted()) return;
    if (!session_->next() && !session_->isSubmitted())
        say(QStringLiteral("这是最后一题，可以交卷了（Ctrl+Enter）"));
}

bool ExamPaperPage::handleKey(int key) {
    if (!session_ || session_->isSubmitted()) return false;
    const ExamKeys::Meaning m = ExamKeys::of(key, session_->currentQuestion().isJudge());
    switch (m.action) {
        case ExamKeys::Action::Option:
            choose(m.option);
            return true;
        case ExamKeys::Action::Confirm:
            confirm();
            return true;
        case ExamKeys::Action::Next:
            session_->next();
            return true;
        case ExamKeys::Action::Previous:
            session_->previous();
            return true;
        case ExamKeys::Action::Zoom:
            if (!view_->zoomPicture()) say(QStringLiteral("这道题没有图片"));
            return true;
        case ExamKeys::Action::None:
            break;
    }
    return false;
}

void ExamPaperPage::submitAsked() {
    if (!session_ || session_->isSubmitted()) return;
    const int open = int(session_->unanswered().size());
    if (open > 0) {
        const QString text =
            QStringLiteral("还有 %1 道题没有作答，未答的题不得分。\n\n现在交卷吗？").arg(open);
        if (!MessageBox::ask(this, text)) return;
        // The clock may have submitted the paper while the question was open.
        if (!session_ || session_->isSubmitted()) return;
    }
    session_->submit();
}
