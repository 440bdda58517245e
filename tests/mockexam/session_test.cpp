// SPDX-License-Identifier: GPL-3.0-or-later
// One paper being taken: moves, responses, the clock counting down and the
// paper submitted by itself at zero, with a clock the test moves.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "questionbank/examfields.h"
#include "study/mockexam/examsession.h"
#include "tests/mockexam/mockexamfixture.h"

namespace {

struct FakeClock {
    qint64 now = 1'000'000;
    ExamSession::Clock clock() {
        return [this] { return now; };
    }
};

int firstOfKind(const ExamSession& s, const QString& kind) {
    for (int i = 0; i < s.count(); ++i)
        if (s.question(i).kind == kind) return i;
    return -1;
}

}  // namespace

TEST(ExamSessionTest, MovesAndResponsesChangeOnlyWhatTheySay) {
    FakeClock t;
    ExamSession s(ExamFixture::paper(PaperRules::subjectFour()), t.clock());
    QSignalSpy changed(&s, &ExamSession::changed);
    EXPECT_EQ(s.current(), 0);
    EXPECT_FALSE(s.previous());
    EXPECT_TRUE(s.next());
    EXPECT_EQ(s.current(), 1);
    EXPECT_TRUE(s.jump(49));
    EXPECT_FALSE(s.next());
    EXPECT_FALSE(s.jump(50));
    EXPECT_FALSE(s.jump(-1));
    EXPECT_EQ(s.current(), 49);
    EXPECT_EQ(changed.count(), 2);

    const int judge = firstOfKind(s, ExamKind::kJudge);
    ASSERT_TRUE(s.jump(judge));
    EXPECT_TRUE(s.answer("Y"));
    EXPECT_EQ(s.response(judge), "正确");
    EXPECT_FALSE(s.answer("对"));     // the same response: nothing changes
    EXPECT_FALSE(s.toggleLetter(0));  // a judgement has no letters

    const int multiple = firstOfKind(s, ExamKind::kMultiple);
    ASSERT_TRUE(s.jump(multiple));
    EXPECT_TRUE(s.toggleLetter(3));
    EXPECT_TRUE(s.toggleLetter(0));
    EXPECT_EQ(s.response(multiple), "AD");
    EXPECT_TRUE(s.toggleLetter(3));
    EXPECT_EQ(s.response(multiple), "A");

    const int single = firstOfKind(s, ExamKind::kSingle);
    ASSERT_TRUE(s.jump(single));
    EXPECT_TRUE(s.toggleLetter(1));
    EXPECT_TRUE(s.toggleLetter(2));  // a single choice takes the last letter
    EXPECT_EQ(s.response(single), "C");
    EXPECT_EQ(s.answeredCount(), 3);
    EXPECT_EQ(s.unanswered().size(), 47u);
    EXPECT_TRUE(s.answer(""));  // cleared
    EXPECT_FALSE(s.isAnswered(single));
    EXPECT_EQ(s.answeredCount(), 2);
}

TEST(ExamSessionTest, TheClockRunsOutAndThePaperIsSubmittedByItself) {
    FakeClock t;
    DrawnPaper paper = ExamFixture::paper(PaperRules::subjectOne());
    ExamSession s(paper, t.clock());
    QSignalSpy submitted(&s, &ExamSession::submitted);
    QSignalSpy ticks(&s, &ExamSession::tick);
    EXPECT_EQ(s.remainingMs(), 45 * 60 * 1000);
    for (int i = 0; i < 100; ++i) {
        s.jump(i);
        s.answer(paper.questions[size_t(i)].answer);
    }
    t.now += 44 * 60 * 1000;
    s.checkTime();
    EXPECT_EQ(s.remainingMs(), 60 * 1000);
    EXPECT_FALSE(s.isSubmitted());
    ASSERT_EQ(ticks.count(), 1);
    EXPECT_EQ(ticks.at(0).at(0).toLongLong(), 60 * 1000);

    t.now += 61 * 1000;
    EXPECT_EQ(s.remainingMs(), 0);
    s.checkTime();
    ASSERT_TRUE(s.isSubmitted());
    ASSERT_EQ(submitted.count(), 1);
    EXPECT_EQ(s.result()->ending, ExamResult::Ending::TimeUp);
    EXPECT_EQ(s.result()->score, 100);
    EXPECT_EQ(s.result()->usedMs, 45 * 60 * 1000);
    // Nothing changes afterwards, and it is not submitted twice.
    EXPECT_FALSE(s.answer("N"));
    EXPECT_FALSE(s.previous());
    EXPECT_FALSE(s.submit());
    t.now += 1000;
    s.checkTime();
    EXPECT_EQ(submitted.count(), 1);
}

TEST(ExamSessionTest, AResponseAfterTheTimeRanOutSubmitsInstead) {
    FakeClock t;
    ExamSession s(ExamFixture::paper(PaperRules::subjectOne()), t.clock());
    QSignalSpy submitted(&s, &ExamSession::submitted);
    t.now += 45 * 60 * 1000;
    EXPECT_FALSE(s.answer("A"));
    EXPECT_EQ(submitted.count(), 1);
    EXPECT_EQ(s.result()->ending, ExamResult::Ending::TimeUp);
    EXPECT_EQ(s.result()->score, 0);
    EXPECT_EQ(s.result()->wrong.size(), 100u);
}

TEST(ExamSessionTest, TheOwnTimerSubmitsWhenTheTimeIsUp) {
    // The real clock and the session's own timer, with a paper of a moment.
    DrawnPaper paper = ExamFixture::paper(PaperRules::subjectOne());
    paper.durationMs = 300;
    ExamSession s(paper);
    QSignalSpy submitted(&s, &ExamSession::submitted);
    EXPECT_TRUE(submitted.wait(30000));
    EXPECT_EQ(s.result()->ending, ExamResult::Ending::TimeUp);
    EXPECT_EQ(s.remainingMs(), 0);
}

TEST(ExamSessionTest, SubmittedByTheLearnerFreezesTheTimeUsed) {
    FakeClock t;
    ExamSession s(ExamFixture::paper(PaperRules::subjectFour()), t.clock());
    t.now += 12 * 60 * 1000;
    EXPECT_TRUE(s.submit());
    EXPECT_EQ(s.result()->ending, ExamResult::Ending::ByLearner);
    EXPECT_EQ(s.result()->usedMs, 12 * 60 * 1000);
    t.now += 60 * 1000;
    EXPECT_EQ(s.remainingMs(), 18 * 60 * 1000);
}

TEST(ExamSessionTest, AResumedPaperGoesOnWithTheTimeLeft) {
    FakeClock t;
    const DrawnPaper paper = ExamFixture::paper(PaperRules::subjectOne());
    QStringList responses;
    for (int i = 0; i < 100; ++i) responses << (i < 30 ? paper.questions[size_t(i)].answer : "");
    ExamSession s(paper, t.clock(), ExamSession::Resume{responses, 30, 10 * 60 * 1000});
    EXPECT_EQ(s.current(), 30);
    EXPECT_EQ(s.answeredCount(), 30);
    EXPECT_EQ(s.remainingMs(), 10 * 60 * 1000);
    t.now += 60 * 1000;
    EXPECT_EQ(s.remainingMs(), 9 * 60 * 1000);
    // The time used counts what went before the interruption.
    EXPECT_EQ(s.usedMs(), 36 * 60 * 1000);
    // A state of another paper is not taken for this one.
    ExamSession other(paper, t.clock(), ExamSession::Resume{{"A"}, 500, 1000});
    EXPECT_EQ(other.answeredCount(), 0);
    EXPECT_EQ(other.current(), 99);
}
