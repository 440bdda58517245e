// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include <QDateTime>
#include <cmath>

#include "questionbank/categories.h"
#include "questionbank/examfields.h"
#include "questionbank/progresssummary.h"

namespace {

using ProgressSummary::Question;

constexpr qint64 kDay = Fsrs::kDayMs;
constexpr qint64 kHour = 3600 * 1000;

// 20:00 local time on a fixed day, so that "today" has four hours left.
const QDate kToday(2026, 3, 15);
const qint64 kNow = kToday.startOfDay().toMSecsSinceEpoch() + 20 * kHour;

qint64 at(int dayOffset, int hour) {
    return kToday.addDays(dayOffset).startOfDay().toMSecsSinceEpoch() + hour * kHour;
}

QString id(char c) {
    return QString(64, QLatin1Char(c));
}

// The model's forgetting curve written out (FSRS-5: decay -0.5, factor
// 19/81), so that the expectations do not lean on the code under test.
double recall(double days, double stability) {
    return std::pow(1.0 + 19.0 / 81.0 * days / stability, -0.5);
}

Fsrs::Card graded(double stability, qint64 lastMs, qint64 dueMs) {
    Fsrs::Card c;
    c.memory = {stability, 5};
    c.firstMs = c.lastMs = lastMs;
    c.dueMs = dueMs;
    c.reps = 1;
    return c;
}

const ProgressSummary::Row& row(const ProgressSummary::Summary& s, const QString& name) {
    for (const auto& r : s.rows)
        if (r.name == name) return r;
    static const ProgressSummary::Row none;
    ADD_FAILURE() << "no row " << name.toStdString();
    return none;
}

}  // namespace

TEST(ProgressSummary, CountsEachQuestionAsNewLearningOrKnownAndDueApart) {
    const QString signals_ = Categories::names().at(1);
    const QString manners = Categories::names().at(2);
    ProgressSummary::Input in;
    in.nowMs = kNow;
    in.bank = {{signals_, id('a'), {}},
               {signals_, id('b'), {}},
               {signals_, id('c'), {}},
               {signals_, id('c'), {}},  // the same question twice counts once
               {manners, id('d'), {}}};
    in.personal = {{{}, id('a'), {}}, {{}, id('c'), {}}};
    // b: graded just now, recall 1, due in ten days: known, not due.
    in.cards.insert(id('b'), graded(10, kNow, kNow + 10 * kDay));
    // c: thirty days since a grade that held ten: recall 0.766, overdue.
    in.cards.insert(id('c'), graded(10, kNow - 30 * kDay, kNow - 20 * kDay));
    // d: nine days into ten, recall above 0.9, due at 23:00 tonight.
    in.cards.insert(id('d'), graded(10, kNow - 9 * kDay, at(0, 23)));
    ASSERT_LT(recall(30, 10), 0.9);
    ASSERT_GT(recall(9, 10), 0.9);

    const auto s = ProgressSummary::summarise(in);
    ASSERT_EQ(s.rows.size(), 12u) << "ten categories, the personal list, the whole bank";
    const auto& sig = row(s, signals_).counts;
    EXPECT_EQ(sig.total, 3);
    EXPECT_EQ(sig.fresh, 1);
    EXPECT_EQ(sig.learning, 1);
    EXPECT_EQ(sig.known, 1);
    EXPECT_EQ(sig.due, 1);
    const auto& man = row(s, manners).counts;
    EXPECT_EQ(man.total, 1);
    EXPECT_EQ(man.known, 1);
    EXPECT_EQ(man.due, 1) << "due before the day ends, though still known now";
    const auto& personal = row(s, QStringLiteral("生词本")).counts;
    EXPECT_EQ(personal.total, 2);
    EXPECT_EQ(personal.fresh, 1);
    EXPECT_EQ(personal.learning, 1);
    EXPECT_EQ(personal.due, 1);
    const auto& whole = row(s, QStringLiteral("全部题目")).counts;
    EXPECT_EQ(whole.total, 4);
    EXPECT_EQ(whole.fresh + whole.learning + whole.known, whole.total);
    EXPECT_EQ(whole.due, 2);
    EXPECT_EQ(row(s, Categories::names().at(0)).counts.total, 0);
}

TEST(ProgressSummary, EstimatesTheMockExamWithUnseenQuestionsAtChance) {
    EXPECT_DOUBLE_EQ(ProgressSummary::chance(ExamKind::kJudge), 0.5);
    EXPECT_DOUBLE_EQ(ProgressSummary::chance(ExamKind::kSingle), 0.25);
    EXPECT_DOUBLE_EQ(ProgressSummary::chance(ExamKind::kMultiple), 1.0 / 11);
    EXPECT_DOUBLE_EQ(ProgressSummary::chance(QString()), 0);

    const QString cat = Categories::names().at(0);
    std::vector<Question> bank = {{cat, id('a'), ExamKind::kJudge},
                                  {cat, id('b'), ExamKind::kSingle},
                                  {cat, id('c'), ExamKind::kMultiple},
                                  {cat, id('d'), ExamKind::kSingle},
                                  {cat, id('e'), QString()}};  // a plain question: not on a paper
    QHash<QString, Fsrs::Card> cards;
    cards.insert(id('d'), graded(10, kNow - 30 * kDay, kNow - 20 * kDay));
    cards.insert(id('e'), graded(10, kNow, kNow + 10 * kDay));
    const auto e = ProgressSummary::estimate(bank, cards, kNow);
    EXPECT_EQ(e.questions, 4);
    EXPECT_NEAR(e.score, 100 * (0.5 + 0.25 + 1.0 / 11 + recall(30, 10)) / 4, 1e-9);

    EXPECT_EQ(ProgressSummary::estimate({{cat, id('e'), QString()}}, cards, kNow).questions, 0);
}

TEST(ProgressSummary, ReplaysReviewsOnceForThirtyDaysOfCountsAndMeanRecall) {
    const QString cat = Categories::names().at(0);
    const Fsrs fsrs;
    const std::vector<Question> bank = {{cat, id('a'), {}}, {cat, id('b'), {}}, {cat, id('c'), {}}};
    using G = Fsrs::Grade;
    const std::vector<ProgressStore::Review> reviews = {
        {id('a'), at(-40, 12), G::Knew},  // before the window: counted only in the recall
        {id('b'), at(-29, 12), G::Knew},  // the first day shown
        {id('a'), at(-2, 12), G::Knew},   {id('a'), at(-2, 13), G::Forgot},
        {id('f'), at(0, 8), G::Easy},      // a question not in the bank
        {id('b'), kNow + kHour, G::Knew},  // later than now: not yet
    };
    const auto days = ProgressSummary::history(bank, reviews, kNow, fsrs);
    ASSERT_EQ(days.size(), 30u);
    EXPECT_EQ(days.front().day, kToday.addDays(-29));
    EXPECT_EQ(days.back().day, kToday);
    int total = 0;
    for (const auto& d : days) total += d.reviews;
    EXPECT_EQ(total, 4);
    EXPECT_EQ(days[0].reviews, 1);
    EXPECT_EQ(days[27].reviews, 2);
    EXPECT_EQ(days[29].reviews, 1);

    // The first day's end: a eleven and a half days after its grade, b half a
    // day after its; c never seen counts 0.
    const double s0 = fsrs.first(G::Knew).stability;
    const qint64 firstEnd = at(-28, 0);
    const double aDays = double(firstEnd - at(-40, 12)) / kDay;
    const double bDays = double(firstEnd - at(-29, 12)) / kDay;
    EXPECT_NEAR(days[0].meanRecall, (recall(aDays, s0) + recall(bDays, s0)) / 3, 1e-9);
    // Today is sampled now, after a's lapse two days ago.
    Fsrs::Card a = fsrs.review({}, G::Knew, at(-40, 12));
    a = fsrs.review(fsrs.review(a, G::Knew, at(-2, 12)), G::Forgot, at(-2, 13));
    const double aNow = recall(double(kNow - a.lastMs) / kDay, a.memory.stability);
    const double bNow = recall(double(kNow - at(-29, 12)) / kDay, s0);
    EXPECT_NEAR(days[29].meanRecall, (aNow + bNow) / 3, 1e-9);
    EXPECT_GT(days[27].meanRecall, days[26].meanRecall) << "the day's reviews refresh a";
}

TEST(ProgressSummary, KeepsThePapersInTimeOrder) {
    ProgressSummary::Input in;
    in.nowMs = kNow;
    in.papers = {{2, at(-1, 9), QStringLiteral("科目四"), 92, 60000, {}},
                 {1, at(-3, 9), QStringLiteral("科目一"), 84, 60000, {}}};
    const auto s = ProgressSummary::summarise(in);
    ASSERT_EQ(s.papers.size(), 2u);
    EXPECT_EQ(s.papers[0].score, 84);
    EXPECT_EQ(s.papers[1].score, 92);
    EXPECT_EQ(s.estimate.questions, 0);
    EXPECT_EQ(row(s, QStringLiteral("全部题目")).counts.total, 0);
}

TEST(ProgressSummary, PutsAShorterPaperOnTheScaleOfAFullOne) {
    // A 科目四 of 46 questions at two points: 41 right is 82 of 92 points,
    // under the pass mark of that paper, and must show under the line of 90.
    QJsonArray answers;
    for (int i = 0; i < 46; ++i) answers.append(QJsonObject{{"right", i < 41}});
    const ProgressStore::Paper shorter{1,  at(-1, 9), QStringLiteral("科目四（46题）"),
                                       82, 60000,     answers};
    EXPECT_NEAR(ProgressSummary::scoreOf100(shorter), 100.0 * 41 / 46, 1e-9);
    EXPECT_LT(ProgressSummary::scoreOf100(shorter), 90);

    QJsonArray full;
    for (int i = 0; i < 100; ++i) full.append(QJsonObject{{"right", i < 93}});
    EXPECT_DOUBLE_EQ(
        ProgressSummary::scoreOf100({2, at(-1, 10), QStringLiteral("科目一"), 93, 60000, full}),
        93);
    EXPECT_DOUBLE_EQ(
        ProgressSummary::scoreOf100({3, at(-1, 11), QStringLiteral("科目一"), 88, 60000, {}}), 88);
}
