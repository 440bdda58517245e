// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDateTime>

#include "questionbank/nextquestion.h"

namespace {

using Reason = NextQuestion::Reason;
constexpr qint64 kHour = 60 * 60 * 1000;
constexpr qint64 kDay = Fsrs::kDayMs;

// Local noon, so that "today" spans twelve hours either side.
const qint64 kNow = QDate(2026, 5, 10).startOfDay().toMSecsSinceEpoch() + 12 * kHour;

Fsrs::Card card(double stability, qint64 lastMs, qint64 dueMs, qint64 firstMs = kNow - 30 * kDay) {
    Fsrs::Card c;
    c.memory = {stability, 5.0};
    c.firstMs = firstMs;
    c.lastMs = lastMs;
    c.dueMs = dueMs;
    c.reps = 1;
    return c;
}

QStringList bank(int n) {
    QStringList ids;
    for (int i = 0; i < n; ++i) ids << QStringLiteral("q%1").arg(i);
    return ids;
}

}  // namespace

TEST(NextQuestion, DueQuestionsComeFirstTheMostOverdueFirst) {
    QHash<QString, Fsrs::Card> cards;
    cards["q1"] = card(3, kNow - 5 * kDay, kNow - 2 * kDay);
    cards["q2"] = card(3, kNow - 8 * kDay, kNow - 5 * kDay);
    cards["q3"] = card(3, kNow - 8 * kDay, kNow - 5 * kDay);  // as overdue: later in the bank
    cards["q4"] = card(0.5, kNow - 3 * kDay, kNow + kHour);   // lowest recall, but not due yet
    const auto c = NextQuestion::choose(bank(6), cards, kNow);
    EXPECT_EQ(c.identity, "q2");
    EXPECT_EQ(c.position, 2);
    EXPECT_EQ(c.reason, Reason::Due);
    // Due exactly now counts as due.
    cards.clear();
    cards["q4"] = card(3, kNow - 3 * kDay, kNow);
    EXPECT_EQ(NextQuestion::choose(bank(6), cards, kNow).identity, "q4");
}

TEST(NextQuestion, NewQuestionsInBankOrderUpToTheDailyLimit) {
    QHash<QString, Fsrs::Card> cards;
    // q0 and q2 were begun today, q1 yesterday; none is due.
    cards["q0"] = card(3, kNow - kHour, kNow + 3 * kDay, kNow - kHour);
    cards["q1"] = card(3, kNow - kDay, kNow + 2 * kDay, kNow - kDay);
    cards["q2"] = card(3, kNow - 2 * kHour, kNow + 3 * kDay, kNow - 2 * kHour);
    const QStringList ids = bank(6);
    EXPECT_EQ(NextQuestion::begunOn(cards, kNow), 2);
    auto c = NextQuestion::choose(ids, cards, kNow, 3);
    EXPECT_EQ(c.identity, "q3");
    EXPECT_EQ(c.reason, Reason::New);
    // Two begun today reach a limit of two: the weakest memory comes instead.
    c = NextQuestion::choose(ids, cards, kNow, 2);
    EXPECT_EQ(c.identity, "q1");
    EXPECT_EQ(c.reason, Reason::LowestRecall);
    // Questions of another bank begun today count towards the same limit.
    cards["other"] = card(3, kNow - kHour, kNow + 3 * kDay, kNow - kHour);
    EXPECT_EQ(NextQuestion::choose(ids, cards, kNow, 3).reason, Reason::LowestRecall);
    EXPECT_EQ(NextQuestion::choose(ids, cards, kNow, 4).identity, "q3");
}

TEST(NextQuestion, LowestPredictedRecallWhenNothingElseIsLeft) {
    QHash<QString, Fsrs::Card> cards;
    cards["q0"] = card(10, kNow - 2 * kDay, kNow + 8 * kDay);
    cards["q1"] = card(2, kNow - kDay, kNow + kDay);  // R(1, 2) ≈ 0.946
    cards["q2"] = card(40, kNow - 5 * kDay, kNow + 35 * kDay);
    cards["q3"] = card(1.5, kNow - 12 * kHour, kNow + 12 * kHour);  // R(0.5, 1.5) ≈ 0.964
    const auto c = NextQuestion::choose(bank(4), cards, kNow);
    EXPECT_EQ(c.identity, "q1");
    EXPECT_EQ(c.reason, Reason::LowestRecall);
    EXPECT_LT(Fsrs::retrievabilityAt(cards["q1"], kNow), Fsrs::retrievabilityAt(cards["q3"], kNow));
    // Equal recall: the earlier question in the bank.
    cards["q3"] = cards["q1"];
    EXPECT_EQ(NextQuestion::choose(QStringList{"q3", "q0", "q1"}, cards, kNow).identity, "q3");
}

TEST(NextQuestion, EdgesOfTheBank) {
    EXPECT_EQ(NextQuestion::choose({}, {}, kNow).reason, Reason::None);
    EXPECT_TRUE(NextQuestion::choose({}, {}, kNow).identity.isEmpty());
    // Nothing learnt yet and no new question allowed: a new one rather than none.
    auto c = NextQuestion::choose(bank(3), {}, kNow, 0);
    EXPECT_EQ(c.identity, "q0");
    EXPECT_EQ(c.reason, Reason::New);
    // Progress of questions no longer in the bank is not chosen.
    QHash<QString, Fsrs::Card> cards;
    cards["gone"] = card(3, kNow - 9 * kDay, kNow - 6 * kDay);
    EXPECT_EQ(NextQuestion::choose(bank(2), cards, kNow).identity, "q0");
}
