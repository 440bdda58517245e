// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping a paper in the progress store: saved as it goes, resumed after the
// program was gone with the time that was left, or discarded; recorded once
// submitted; and a store that fails does not stop the exam.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "study/learnerprogress.h"
#include "study/mockexam/examkeeper.h"
#include "tests/mockexam/mockexamfixture.h"

namespace {

constexpr qint64 kMinute = 60 * 1000;
constexpr qint64 kWall = 1'780'000'000'000;

struct Clock {
    qint64 now = 5'000;
    ExamSession::Clock get() {
        return [this] { return now; };
    }
};

// Study's own way to the store: one LearnerProgress over a folder.
struct Store {
    QTemporaryDir dir;
    std::unique_ptr<LearnerProgress> progress;
    Store() { reopen(); }
    void reopen() {
        progress.reset();  // as a new start of the program
        progress =
            std::make_unique<LearnerProgress>([this] { return dir.path(); }, [] { return 0.9; });
    }
    ExamKeeper::StoreSource source() {
        return [this] { return progress->store(); };
    }
    QString file() const { return dir.filePath("progress.db"); }
};

std::vector<ExamQuestion> bank() {
    return ExamFixture::pool(PaperRules::subjectOne().categories, 60, 80, 0);
}

DrawnPaper drawn() {
    return PaperDraw(bank(), 9).draw(PaperRules::subjectOne());
}

}  // namespace

TEST(ExamKeeperTest, ARunningPaperIsResumedAfterARestartWithTheTimeLeft) {
    Store store;
    Clock clock;
    QStringList answered;
    {
        ExamSession s(drawn(), clock.get());
        ExamKeeper keeper(store.source());
        keeper.setWallClock([] { return kWall; });
        keeper.follow(&s);
        for (int i = 0; i < 20; ++i) {
            clock.now += 30 * 1000;
            s.answer(s.currentQuestion().answer);
            s.next();
            s.checkTime();  // the session's timer
        }
        answered = s.responses();
        // The program ends here without submitting (a crash, a log-out).
    }
    store.reopen();
    ExamKeeper keeper(store.source());
    const auto running = keeper.pending();
    ASSERT_TRUE(running.has_value());
    EXPECT_EQ(running->paper, "科目一");
    EXPECT_EQ(running->subject, "科目一");
    EXPECT_EQ(running->responses, answered);
    EXPECT_EQ(running->current, 20);
    EXPECT_EQ(running->remainingMs, 45 * kMinute - 10 * kMinute);
    EXPECT_EQ(running->savedMs, kWall);

    QString why;
    auto rebuilt = ExamKeeper::rebuild(*running, bank(), &why);
    ASSERT_TRUE(rebuilt.has_value()) << why.toStdString();
    const DrawnPaper original = drawn();
    ASSERT_EQ(rebuilt->first.questions.size(), original.questions.size());
    for (size_t i = 0; i < original.questions.size(); ++i)
        EXPECT_EQ(rebuilt->first.questions[i].identity, original.questions[i].identity);
    EXPECT_EQ(rebuilt->first.rules.questionCount(), 100);

    Clock later;
    ExamSession resumed(rebuilt->first, later.get(), rebuilt->second);
    keeper.follow(&resumed);
    EXPECT_EQ(resumed.current(), 20);
    EXPECT_EQ(resumed.answeredCount(), 20);
    EXPECT_EQ(resumed.remainingMs(), 35 * kMinute);
    later.now += 5 * kMinute;
    ASSERT_TRUE(resumed.submit());
    EXPECT_TRUE(keeper.kept());
    EXPECT_EQ(resumed.result()->usedMs, 15 * kMinute);

    // Recorded once, with its answers, and no longer running.
    auto* s = store.progress->store();
    ASSERT_NE(s, nullptr);
    const auto papers = s->papers();
    ASSERT_TRUE(papers && papers->size() == 1);
    EXPECT_EQ(papers->front().paper, "科目一");
    EXPECT_EQ(papers->front().score, 20);
    EXPECT_EQ(papers->front().durationMs, 15 * kMinute);
    EXPECT_EQ(papers->front().answers.size(), 100);
    EXPECT_FALSE(keeper.pending().has_value());
    EXPECT_FALSE(keeper.faulted());
}

TEST(ExamKeeperTest, AResponseOrAMoveIsSavedAtTheNextTickNotInTheKeyPress) {
    Store store;
    Clock clock;
    ExamSession s(drawn(), clock.get());
    ExamKeeper keeper(store.source());
    keeper.follow(&s);
    ASSERT_TRUE(keeper.pending().has_value());  // saved as it starts
    EXPECT_TRUE(s.answer(s.currentQuestion().answer));
    EXPECT_EQ(keeper.pending()->responses.first(), "");
    s.checkTime();
    EXPECT_EQ(keeper.pending()->responses.first(), s.response(0));
    EXPECT_TRUE(s.jump(42));
    EXPECT_EQ(keeper.pending()->current, 0);
    s.checkTime();
    EXPECT_EQ(keeper.pending()->current, 42);
    // Closing the window without submitting saves at once.
    EXPECT_TRUE(s.jump(43));
    EXPECT_TRUE(keeper.saveNow());
    EXPECT_EQ(keeper.pending()->current, 43);
}

TEST(ExamKeeperTest, ThePaperIsSavedEveryFewSecondsAsTheClockRuns) {
    Store store;
    Clock clock;
    ExamSession s(drawn(), clock.get());
    ExamKeeper keeper(store.source());
    keeper.follow(&s);
    clock.now += 2000;
    s.checkTime();  // too soon for another save
    EXPECT_EQ(keeper.pending()->remainingMs, 45 * kMinute);
    clock.now += ExamKeeper::kSaveEveryMs;
    s.checkTime();
    EXPECT_EQ(keeper.pending()->remainingMs, 45 * kMinute - 2000 - ExamKeeper::kSaveEveryMs);
}

TEST(ExamKeeperTest, ADiscardedPaperIsGoneAndNotRecorded) {
    Store store;
    {
        Clock clock;
        ExamSession s(drawn(), clock.get());
        ExamKeeper keeper(store.source());
        keeper.follow(&s);
        s.answer("A");
    }
    store.reopen();
    ExamKeeper keeper(store.source());
    ASSERT_TRUE(keeper.pending().has_value());
    EXPECT_TRUE(keeper.discard());
    EXPECT_FALSE(keeper.pending().has_value());
    store.reopen();
    EXPECT_FALSE(ExamKeeper(store.source()).pending().has_value());
    EXPECT_TRUE(store.progress->store()->papers()->empty());
}

TEST(ExamKeeperTest, APaperWhoseQuestionsLeftTheBankCannotBeResumed) {
    ProgressStore::RunningPaper running;
    running.paper = running.subject = "科目一";
    const DrawnPaper p = drawn();
    for (const ExamQuestion& q : p.questions)
        running.identities << q.identity, running.responses << "";
    running.durationMs = running.remainingMs = 45 * kMinute;
    std::vector<ExamQuestion> smaller = bank();
    smaller.erase(std::remove_if(smaller.begin(), smaller.end(),
                                 [&](const ExamQuestion& q) {
                                     return q.identity == p.questions[57].identity;
                                 }),
                  smaller.end());
    QString why;
    EXPECT_FALSE(ExamKeeper::rebuild(running, smaller, &why).has_value());
    EXPECT_TRUE(why.contains("题库已改变")) << why.toStdString();
    // A shorter paper comes back as the shorter paper it was.
    running.paper = "科目一（60题）";
    running.identities = running.identities.mid(10, 60);  // 30 判断, 30 单选
    running.responses = running.responses.mid(0, 60);
    running.durationMs = running.remainingMs = 27 * kMinute;
    const auto rebuilt = ExamKeeper::rebuild(running, bank(), &why);
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(rebuilt->first.name(), "科目一（60题）");
    EXPECT_EQ(rebuilt->first.rules.questionCount(), 60);
    EXPECT_EQ(rebuilt->first.rules.passScore(), 54);
    EXPECT_EQ(rebuilt->first.durationMs, 27 * kMinute);
}

TEST(ExamKeeperTest, ADamagedStoreLetsTheExamRunAndSaysTheResultIsNotKept) {
    Store store;
    QFile f(store.file());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    const QByteArray before = [&] {
        QFile r(store.file());
        r.open(QIODevice::ReadOnly);
        return r.readAll();
    }();
    Clock clock;
    ExamSession s(drawn(), clock.get());
    ExamKeeper keeper(store.source());
    QSignalSpy failed(&keeper, &ExamKeeper::storeFailed);
    keeper.follow(&s);
    EXPECT_TRUE(s.answer(s.currentQuestion().answer));
    EXPECT_TRUE(s.next());
    EXPECT_TRUE(s.submit());
    EXPECT_EQ(s.result()->score, 1);
    EXPECT_FALSE(keeper.kept());
    EXPECT_TRUE(keeper.faulted());
    EXPECT_EQ(failed.count(), 1);  // told once
    EXPECT_FALSE(store.progress->takeUntoldFault().isEmpty());
    QFile r(store.file());
    ASSERT_TRUE(r.open(QIODevice::ReadOnly));
    EXPECT_EQ(r.readAll(), before);
}

TEST(ExamKeeperTest, AStoreThatFailsDuringThePaperKeepsNothingMoreAndTheExamGoesOn) {
    Store store;
    Clock clock;
    ExamSession s(drawn(), clock.get());
    ExamKeeper keeper(store.source());
    QSignalSpy failed(&keeper, &ExamKeeper::storeFailed);
    keeper.follow(&s);
    EXPECT_FALSE(keeper.faulted());
    {
        // Another program holds the file while the learner answers.
        SQLite::Database other(store.file().toStdString(), SQLite::OPEN_READWRITE);
        other.exec("BEGIN EXCLUSIVE");
        EXPECT_TRUE(s.answer(s.currentQuestion().answer));
        s.checkTime();  // the save the answer asked for
        other.exec("ROLLBACK");
    }
    EXPECT_TRUE(keeper.faulted());
    EXPECT_EQ(failed.count(), 1);
    EXPECT_TRUE(s.next());
    EXPECT_TRUE(s.submit());
    EXPECT_EQ(s.result()->score, 1);
    EXPECT_FALSE(keeper.kept());
    EXPECT_EQ(failed.count(), 1);
    // Nothing of this paper is in the file.
    auto reopened = ProgressStore::open(store.dir.path(), Fsrs());
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->papers()->empty());
}

TEST(ExamKeeperTest, AProgressFileFromBeforeRunningPapersGetsTheTableAtOpen) {
    QTemporaryDir dir;
    ProgressStore::open(dir.path(), Fsrs()).reset();
    {
        SQLite::Database db(dir.filePath("progress.db").toStdString(), SQLite::OPEN_READWRITE);
        db.exec("DROP TABLE running_paper");
    }
    auto store = ProgressStore::open(dir.path(), Fsrs());
    ASSERT_TRUE(store);
    ProgressStore::RunningPaper r;
    r.paper = r.subject = "科目四";
    r.identities = {QString(64, 'a')};
    r.responses = {"AB"};
    r.durationMs = r.remainingMs = 30 * kMinute;
    EXPECT_TRUE(store->saveRunningPaper(r));
    const auto back = store->runningPaper();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->responses, r.responses);
    EXPECT_TRUE(store->clearRunningPaper());
    EXPECT_FALSE(store->runningPaper().has_value());
    EXPECT_EQ(store->fault(), ProgressStore::Fault::None);
}
