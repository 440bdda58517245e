// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/mockexamwindow.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/widgets/messagebox.h"
#include "study/learnerprogress.h"
#include "study/mockexam/examkeeper.h"
#include "study/mockexam/examlog.h"
#include "study/mockexam/exampaperpage.h"
#include "study/mockexam/exampracticeview.h"
#include "study/mockexam/examresultview.h"
#include "study/mockexam/examstartpage.h"
#include "study/mockexam/wrongbook.h"

MockExamWindow::MockExamWindow(LearnerProgress& progress, QString folder,
                               PersonalList::SessionFinder editor, QWidget* parent)
    : QWidget(parent, Qt::Window),
      progress_(progress),
      folder_(std::move(folder)),
      editor_(std::move(editor)),
      reader_(folder_) {
    setObjectName(QStringLiteral("FrmExam"));
    setWindowTitle(QStringLiteral("模拟考试"));
    setFocusPolicy(Qt::StrongFocus);
    resize(960, 680);
    stack_ = new QStackedWidget(this);
    start_ = new ExamStartPage(stack_);
    paper_ = new ExamPaperPage(stack_);
    result_ = new ExamResultView(stack_);
    practiceView_ = new ExamPracticeView(stack_);
    for (QWidget* w : {static_cast<QWidget*>(start_), static_cast<QWidget*>(paper_),
                       static_cast<QWidget*>(result_), static_cast<QWidget*>(practiceView_)})
        stack_->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(stack_);

    connect(start_, &ExamStartPage::subjectChosen, this, &MockExamWindow::startPaper);
    connect(start_, &ExamStartPage::shorterChosen, this, &MockExamWindow::startShorter);
    connect(start_, &ExamStartPage::practiceChosen, this, &MockExamWindow::startPractice);
    connect(start_, &ExamStartPage::resumeChosen, this, &MockExamWindow::resume);
    connect(start_, &ExamStartPage::discardChosen, this, &MockExamWindow::discard);
    connect(result_, &ExamResultView::addWrongClicked, this, &MockExamWindow::addWrongToBook);
    connect(result_, &ExamResultView::backClicked, this, &MockExamWindow::showStart);
    connect(result_, &ExamResultView::againClicked, this, [this] {
        if (lastRules_) begin(draw().draw(*lastRules_));
    });
    connect(practiceView_, &ExamPracticeView::backClicked, this, &MockExamWindow::showStart);
    connect(practiceView_, &ExamPracticeView::answered, this, [this] {
        if (practice_ && practice_->faulted()) tellStoreFault();
    });
    showStart();
    qCInfo(lcExam) << "exam window opened";
}

MockExamWindow::~MockExamWindow() {
    // Study ends (the exit command, a log-out): the paper is resumed at the
    // next start from here.
    if (session_ && !session_->isSubmitted() && keeper_) keeper_->saveNow();
    // The pages hold the session by pointer: they let go before it goes.
    paper_->attach(nullptr, {});
    practiceView_->attach(nullptr, QString(), {});
}

MockExamWindow::Page MockExamWindow::page() const {
    QWidget* w = stack_->currentWidget();
    if (w == paper_) return Page::Paper;
    if (w == result_) return Page::Result;
    if (w == practiceView_) return Page::Practice;
    return Page::Start;
}

void MockExamWindow::showPage(QWidget* page) {
    stack_->setCurrentWidget(page);
    // The keys of a paper or of practice reach the window, whatever had the
    // focus on the page before.
    if (page == paper_ || page == practiceView_) setFocus();
    if (page == start_) start_->focusChoice();
}

qint64 MockExamWindow::now() const {
    return wallClock_ ? wallClock_() : QDateTime::currentMSecsSinceEpoch();
}

ProgressStore* MockExamWindow::store() {
    return progress_.store();
}

QByteArray MockExamWindow::pictureOf(const ExamQuestion& q) {
    QString why;
    const QByteArray bytes = reader_.picture(q, &why);
    if (bytes.isEmpty() && !why.isEmpty())
        qCInfo(lcExam).noquote() << "exam picture not shown:" << why;
    return bytes;
}

// The bank is read once per window: a paper is drawn from thousands of
// questions, and the learner may take several.
const std::vector<ExamQuestion>* MockExamWindow::bank() {
    if (!bank_) {
        bank_ = reader_.bankQuestions();
        if (!bank_) {
            start_->say(reader_.error());
            return nullptr;
        }
    }
    return &*bank_;
}

PaperDraw& MockExamWindow::draw() {
    if (!draw_)
        draw_ = std::make_unique<PaperDraw>(bank_ ? *bank_ : std::vector<ExamQuestion>{}, seed_);
    return *draw_;
}

bool MockExamWindow::startPaper(PaperRules::Subject subject) {
    if (!bank()) return false;
    const PaperRules rules = PaperRules::of(subject);
    const PaperDraw::Shortage lack = draw().check(rules);
    shorter_.reset();
    if (lack.isShort()) {
        const bool offered = lack.shorter.questionCount() > 0;
        if (offered) shorter_ = lack.shorter;
        start_->showShortage(lack.text(), offered);
        qCInfo(lcExam).noquote() << "exam bank too small for" << rules.name;
        return false;
    }
    start_->showShortage(QString(), false);
    begin(draw().draw(rules));
    return true;
}

bool MockExamWindow::startShorter() {
    if (!shorter_ || !bank()) return false;
    const PaperRules rules = *shorter_;
    start_->showShortage(QString(), false);
    begin(draw().draw(rules));
    return true;
}

void MockExamWindow::begin(DrawnPaper paper, std::optional<ExamSession::Resume> resume) {
    paper_->attach(nullptr, {});
    session_.reset();
    lastRules_ = paper.rules;
    keeper_ = std::make_unique<ExamKeeper>([this] { return store(); });
    if (wallClock_) keeper_->setWallClock(wallClock_);
    connect(keeper_.get(), &ExamKeeper::storeFailed, this, &MockExamWindow::tellStoreFault);
    session_ = std::make_unique<ExamSession>(std::move(paper), clock_, std::move(resume));
    // The keeper hears of the submission first, so the result knows
    // whether it was kept.
    keeper_->follow(session_.get());
    connect(session_.get(), &ExamSession::submitted, this, &MockExamWindow::onSubmitted);
    paper_->attach(session_.get(), [this](const ExamQuestion& q) { return pictureOf(q); });
    showPage(paper_);
    qCInfo(lcExam).noquote() << QStringLiteral("exam window shows paper %1 of %2 questions, %3")
                                    .arg(session_->paper().name())
                                    .arg(session_->count())
                                    .arg(ExamPaperPage::clockText(session_->remainingMs()));
    logAnswers();
    if (progress_.failed()) tellStoreFault();
}

// The paper's key, for end-to-end tests that answer a whole paper by keys;
// the category is off unless switched on.
void MockExamWindow::logAnswers() const {
    if (!lcExam().isInfoEnabled()) return;
    for (int i = 0; i < session_->count(); ++i) {
        const ExamQuestion& q = session_->question(i);
        qCInfo(lcExam).noquote() << QStringLiteral(
                                        "exam paper question %1 of %2 kind %3 answer %4 picture %5")
                                        .arg(i + 1)
                                        .arg(session_->count())
                                        .arg(q.kind, q.answer,
                                             q.hasPicture ? QStringLiteral("yes")
                                                          : QStringLiteral("no"));
    }
}

void MockExamWindow::onSubmitted(const ExamResult& result) {
    result_->showResult(result, session_->paper(), session_->responses(), keeper_->kept());
    showPage(result_);
    qCInfo(lcExam).noquote() << QStringLiteral("exam window shows result %1 of %2, %3, %4")
                                    .arg(result.score)
                                    .arg(result.fullScore)
                                    .arg(result.passed ? QStringLiteral("passed")
                                                       : QStringLiteral("failed"))
                                    .arg(result.ending == ExamResult::Ending::TimeUp
                                             ? QStringLiteral("time up")
                                             : QStringLiteral("submitted"));
    if (!keeper_->kept()) tellStoreFault();
}

void MockExamWindow::addWrongToBook() {
    if (!session_ || !session_->result()) return;
    std::vector<ExamQuestion> wrong;
    for (const int i : session_->result()->wrong) wrong.push_back(session_->question(i));
    const WrongBook::ListAdder add = [this](const QVariantMap& q) {
        switch (PersonalList(folder_, editor_).add(q).outcome) {
            case PersonalList::Outcome::Added:
                return WrongBook::Added::Added;
            case PersonalList::Outcome::AlreadyThere:
                return WrongBook::Added::AlreadyThere;
            default:
                return WrongBook::Added::Failed;
        }
    };
    const WrongBook::Outcome outcome = WrongBook::put(
        wrong, reader_, add, [this] { return store(); }, now());
    result_->showBookOutcome(outcome.text());
    qCInfo(lcExam).noquote() << "exam wrong ones into the book:" << outcome.text();
    if (outcome.storeFaulted) tellStoreFault();
}

bool MockExamWindow::startPractice(const QString& category, PracticeSession::Order order) {
    std::optional<std::vector<ExamQuestion>> questions;
    if (category == ExamStartPage::personalListName()) {
        questions = reader_.personalQuestions();
        if (!questions) start_->say(reader_.error());
    } else if (bank()) {
        questions = PracticeSession::ofCategory(*bank_, category);
    }
    if (!questions) return false;
    if (questions->empty()) {
        start_->say(QStringLiteral("「%1」中没有可以练习的题目（只练有题型的题）。").arg(category));
        return false;
    }
    start_->say(QString());
    practiceView_->attach(nullptr, QString(), {});
    practice_ = std::make_unique<PracticeSession>(
        std::move(*questions), order, [this] { return store(); }, seed_, [this] { return now(); });
    practiceView_->attach(practice_.get(), category,
                          [this](const ExamQuestion& q) { return pictureOf(q); });
    showPage(practiceView_);
    qCInfo(lcExam).noquote() << QStringLiteral("exam window shows practice %1 of %2 questions")
                                    .arg(category)
                                    .arg(practice_->count());
    return true;
}

void MockExamWindow::offerResume() {
    ExamKeeper keeper([this] { return store(); });
    const std::optional<ProgressStore::RunningPaper> running = keeper.pending();
    if (!running) {
        start_->offerResume(QString());
        return;
    }
    int answered = 0;
    for (const QString& r : running->responses)
        if (!r.isEmpty()) ++answered;
    start_->offerResume(QStringLiteral("上次的「%1」还没有交卷：已答 %2 / %3 题，还剩 %4。")
                            .arg(running->paper)
                            .arg(answered)
                            .arg(running->identities.size())
                            .arg(ExamPaperPage::clockText(running->remainingMs)));
}

bool MockExamWindow::resume() {
    ExamKeeper keeper([this] { return store(); });
    const std::optional<ProgressStore::RunningPaper> running = keeper.pending();
    if (!running || !bank()) return false;
    QString why;
    auto rebuilt = ExamKeeper::rebuild(*running, *bank_, &why);
    if (!rebuilt) {
        start_->offerResume(why + QStringLiteral("\n这张试卷无法继续，只能放弃。"), false);
        return false;
    }
    qCInfo(lcExam).noquote() << "exam resumed" << running->paper;
    begin(std::move(rebuilt->first), std::move(rebuilt->second));
    return true;
}

void MockExamWindow::discard() {
    ExamKeeper keeper([this] { return store(); });
    if (!keeper.discard()) tellStoreFault();
    offerResume();
}

void MockExamWindow::showStart() {
    practiceView_->attach(nullptr, QString(), {});
    practice_.reset();
    offerResume();
    showPage(start_);
}

// Once per window: the learner needs to hear it, not at every answer.
void MockExamWindow::tellStoreFault() {
    if (faultTold_) return;
    faultTold_ = true;
    const QString reason = progress_.takeUntoldFault();
    QString text =
        QStringLiteral("学习进度文件无法使用，考试和练习照常进行，但成绩和答题记录不会保存。");
    if (!reason.isEmpty()) text += QStringLiteral("\n\n") + reason;
    qCInfo(lcExam).noquote() << "exam store fault told";
    MessageBox::show(this, MessageBox::Icon::Warning, text);
}

void MockExamWindow::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const auto held = e->modifiers() & ~Qt::KeypadModifier;
    if (page() == Page::Paper && enter && held == Qt::ControlModifier) {
        if (!e->isAutoRepeat()) paper_->submitAsked();
        e->accept();
        return;
    }
    const bool plain =
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    bool used = false;
    // Holding a key down answers once; only the moves repeat.
    const bool move = e->key() == Qt::Key_Left || e->key() == Qt::Key_Right;
    if (plain && (move || !e->isAutoRepeat())) {
        if (page() == Page::Paper) used = paper_->handleKey(e->key());
        if (page() == Page::Practice) used = practiceView_->handleKey(e->key());
    }
    if (!used) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void MockExamWindow::closeEvent(QCloseEvent* e) {
    if (session_ && !session_->isSubmitted()) {
        const bool saved = keeper_ && keeper_->saveNow();
        qCInfo(lcExam) << "exam window closed with the paper running, saved:" << saved;
    }
    e->accept();
    emit closed();
}
