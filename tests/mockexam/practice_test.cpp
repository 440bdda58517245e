// SPDX-License-Identifier: GPL-3.0-or-later
// Practice: the answer told at once, each answer a grade in the progress
// store (right 记得, wrong 忘了), in order or shuffled.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "questionbank/examfields.h"
#include "study/mockexam/practicesession.h"
#include "tests/mockexam/mockexamfixture.h"

namespace {

constexpr qint64 kNow = 1'780'000'000'000;

std::vector<ExamQuestion> questions() {
    return ExamFixture::pool({"交通信号", "临危处置"}, 3, 3, 2);
}

}  // namespace

TEST(PracticeSessionTest, EachAnswerIsToldAndGradedRightAsKnewWrongAsForgot) {
    QTemporaryDir dir;
    auto store = ProgressStore::open(dir.path(), Fsrs());
    ASSERT_TRUE(store);
    const auto signal = PracticeSession::ofCategory(questions(), "交通信号");
    ASSERT_EQ(signal.size(), 8u);
    PracticeSession p(
        signal, PracticeSession::Order::Sequential, [&] { return store.get(); }, {},
        [] { return kNow; });
    ASSERT_EQ(p.count(), 8);
    const ExamQuestion first = p.current();
    EXPECT_FALSE(p.answer("").has_value());  // nothing usable: still unanswered
    auto f = p.answer(first.answer);
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->right);
    EXPECT_TRUE(f->graded);
    EXPECT_EQ(f->answer, first.answer);
    EXPECT_EQ(f->explanation, first.explanation);
    EXPECT_FALSE(p.answer(first.answer).has_value());  // once per showing

    p.next();
    const ExamQuestion second = p.current();
    EXPECT_EQ(second.identity, signal[1].identity);
    f = p.answer(ExamFixture::wrongResponse(second));
    ASSERT_TRUE(f.has_value());
    EXPECT_FALSE(f->right);
    EXPECT_EQ(p.rightCount(), 1);
    EXPECT_EQ(p.answeredCount(), 2);

    const auto knew = store->reviewsOf(first.identity);
    ASSERT_TRUE(knew && knew->size() == 1);
    EXPECT_EQ(knew->front().grade, Fsrs::Grade::Knew);
    EXPECT_EQ(knew->front().timeMs, kNow);
    const auto forgot = store->reviewsOf(second.identity);
    ASSERT_TRUE(forgot && forgot->size() == 1);
    EXPECT_EQ(forgot->front().grade, Fsrs::Grade::Forgot);

    // Round the end back to the start, both ways.
    p.previous();
    p.previous();
    EXPECT_EQ(p.position(), 7);
    p.next();
    EXPECT_EQ(p.position(), 0);
    EXPECT_FALSE(p.faulted());
}

TEST(PracticeSessionTest, RandomOrderIsAShuffleOfTheSameQuestionsAndFollowsTheSeed) {
    const auto all = questions();
    const auto order = [&](quint32 seed) {
        PracticeSession p(all, PracticeSession::Order::Random, {}, seed);
        QStringList ids;
        for (int i = 0; i < p.count(); ++i, p.next()) ids << p.current().identity;
        return ids;
    };
    QStringList sorted;
    for (const ExamQuestion& q : all) sorted << q.identity;
    QStringList a = order(4);
    EXPECT_EQ(a, order(4));
    EXPECT_NE(a, order(5));
    EXPECT_NE(a, sorted);
    a.sort();
    sorted.sort();
    EXPECT_EQ(a, sorted);
}

TEST(PracticeSessionTest, WithoutAStoreTheAnswerIsStillToldAndTheFaultNoted) {
    PracticeSession p(questions(), PracticeSession::Order::Sequential, [] { return nullptr; });
    const auto f = p.answer(p.current().answer);
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->right);
    EXPECT_FALSE(f->graded);
    EXPECT_TRUE(p.faulted());
    EXPECT_TRUE(PracticeSession({}, PracticeSession::Order::Random, {}).isEmpty());
}
