// SPDX-License-Identifier: GPL-3.0-or-later
// The scheduler against the reference values published with FSRS-5's
// reference implementation (github.com/open-spaced-repetition/fsrs-rs): the
// unit tests of src/model.rs at commit
// 1dba65d7cdba064b60f92a941d2d13bdf221054a (single steps with the default
// parameters) and of src/inference.rs of the same release (review sequences
// with a trained parameter set). They were computed in single precision and
// are printed to 5-8 significant digits; we compare to a relative 1e-5.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "questionbank/fsrs.h"

namespace {

using G = Fsrs::Grade;
constexpr G kGrades[] = {G::Forgot, G::Vague, G::Knew, G::Easy};

void expectClose(double actual, double reference) {
    EXPECT_NEAR(actual, reference, std::abs(reference) * 1e-5) << "reference " << reference;
}

// The parameter set of fsrs-rs's inference tests.
const Fsrs::Parameters kTrained = {0.6845422,  1.6790825, 4.7349424,    10.042885,  7.4410233,
                                   0.64219797, 1.071918,  0.0025195254, 1.432437,   0.1544,
                                   0.8692766,  2.0696752, 0.0953,       0.2975,     2.4691248,
                                   0.19542035, 3.201072,  0.18046261,   0.121442534};

// Grades with the whole days since the previous one (the first is a new
// question's first grade), as the reference states review histories.
Fsrs::Memory replay(const Fsrs& fsrs, const std::vector<std::pair<G, int>>& history) {
    Fsrs::Memory m = fsrs.first(history.front().first);
    for (size_t i = 1; i < history.size(); ++i)
        m = fsrs.next(m, history[i].second, history[i].first);
    return m;
}

}  // namespace

TEST(FsrsReference, DefaultParametersAreFsrs5s) {
    const Fsrs::Parameters& w = Fsrs::defaultParameters();
    EXPECT_DOUBLE_EQ(w[0], 0.40255);
    EXPECT_DOUBLE_EQ(w[3], 15.69105);
    EXPECT_DOUBLE_EQ(w[7], 0.0046);
    EXPECT_DOUBLE_EQ(w[18], 0.6621);
    EXPECT_DOUBLE_EQ(Fsrs().targetRetention(), 0.9);
}

TEST(FsrsReference, ForgettingCurve) {
    const double t[] = {0, 1, 2, 3, 4, 5};
    const double s[] = {1, 2, 3, 4, 4, 2};
    const double r[] = {1.0, 0.946059, 0.9299294, 0.9221679, 0.90000004, 0.79394597};
    for (int i = 0; i < 6; ++i) expectClose(Fsrs::retrievability(t[i], s[i]), r[i]);
    const double one[] = {1.0, 0.9, 0.82502866, 0.76613088};
    for (int day = 0; day < 4; ++day) expectClose(Fsrs::retrievability(day, 1.0), one[day]);
}

TEST(FsrsReference, FirstGrade) {
    const Fsrs fsrs;
    const Fsrs::Parameters& w = Fsrs::defaultParameters();
    for (int i = 0; i < 4; ++i) {
        const Fsrs::Memory m = fsrs.first(kGrades[i]);
        EXPECT_DOUBLE_EQ(m.stability, w[i]);
        EXPECT_DOUBLE_EQ(m.difficulty, w[4] - std::exp(w[5] * i) + 1);
    }
}

TEST(FsrsReference, NextDifficultyWithDampingAndMeanReversion) {
    const Fsrs fsrs;
    const double reference[] = {6.607035, 5.7994337, 4.9918327, 4.1842318};
    for (int i = 0; i < 4; ++i) expectClose(fsrs.nextDifficulty(5.0, kGrades[i]), reference[i]);
}

TEST(FsrsReference, NextStability) {
    const Fsrs fsrs;
    const double difficulty[] = {1, 2, 3, 4};
    const double recall[] = {0.9, 0.8, 0.7, 0.6};
    const double afterRecall[] = {25.77614, 14.121894, 60.40441, 208.97597};
    const double afterForgetting[] = {1.7028502, 1.9798818, 2.3759942, 2.8885393};
    const double shortTerm[] = {2.5051427, 4.199207, 7.038856, 11.798775};
    for (int i = 0; i < 4; ++i) {
        const Fsrs::Memory m{5.0, difficulty[i]};
        expectClose(fsrs.stabilityAfterRecall(m, recall[i], kGrades[i]), afterRecall[i]);
        expectClose(fsrs.stabilityAfterForgetting(m, recall[i]), afterForgetting[i]);
        expectClose(fsrs.shortTermStability(5.0, kGrades[i]), shortTerm[i]);
        // A second grade on the same day takes the short-term step.
        expectClose(fsrs.next(m, 0, kGrades[i]).stability, shortTerm[i]);
    }
}

TEST(FsrsReference, IntervalForEachTargetRetention) {
    const int reference[] = {422, 102, 43, 22, 13, 8, 4, 2, 1, 1};
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(Fsrs(i / 10.0).intervalDays(1.0), reference[i - 1]) << i;
    expectClose(Fsrs(0.9).rawInterval(121.01552), 121.01557);
}

TEST(FsrsReference, ReviewSequence) {
    const Fsrs fsrs(0.9, kTrained);
    const Fsrs::Memory m =
        replay(fsrs, {{G::Forgot, 0}, {G::Knew, 1}, {G::Knew, 3}, {G::Knew, 8}, {G::Knew, 21}});
    expectClose(m.stability, 31.722975);
    expectClose(m.difficulty, 7.382128);
    const Fsrs::Memory after = fsrs.next({20.925528, 7.005062}, 21, G::Knew);
    expectClose(after.stability, 40.874535);
    expectClose(after.difficulty, 6.9913807);
}

TEST(FsrsReference, EachGradeAfterAHistory) {
    const Fsrs fsrs(0.9, kTrained);
    const Fsrs::Memory m = replay(fsrs, {{G::Forgot, 0}, {G::Knew, 1}, {G::Knew, 3}, {G::Knew, 8}});
    const double stability[] = {2.969144, 17.091442, 31.722975, 71.75015};
    const double difficulty[] = {8.000659, 7.6913934, 7.382128, 7.0728626};
    const double interval[] = {2.9691453, 17.09145, 31.722988, 71.75018};
    for (int i = 0; i < 4; ++i) {
        const Fsrs::Memory n = fsrs.next(m, 21, kGrades[i]);
        expectClose(n.stability, stability[i]);
        expectClose(n.difficulty, difficulty[i]);
        expectClose(fsrs.rawInterval(n.stability), interval[i]);
    }
}

TEST(FsrsSchedule, CardTimesCountsAndDueDate) {
    const Fsrs fsrs;
    const qint64 t0 = 1'700'000'000'000;
    Fsrs::Card c = fsrs.review({}, G::Knew, t0);
    EXPECT_EQ(c.reps, 1);
    EXPECT_EQ(c.firstMs, t0);
    EXPECT_EQ(c.lastMs, t0);
    // First "knew": S = w2 = 3.173 days, which rounds to 3 at 90%.
    EXPECT_EQ(c.dueMs, t0 + 3 * Fsrs::kDayMs);
    // A lapse is "forgot" on a question already known, not on a new one.
    EXPECT_EQ(fsrs.review({}, G::Forgot, t0).lapses, 0);
    const qint64 t1 = t0 + 3 * Fsrs::kDayMs + 5 * 60 * 1000;
    const Fsrs::Card forgot = fsrs.review(c, G::Forgot, t1);
    EXPECT_EQ(forgot.lapses, 1);
    EXPECT_EQ(forgot.reps, 2);
    EXPECT_EQ(forgot.firstMs, t0);
    EXPECT_EQ(forgot.lastMs, t1);
    const Fsrs::Memory expected = fsrs.next(c.memory, 3, G::Forgot);
    EXPECT_DOUBLE_EQ(forgot.memory.stability, expected.stability);
    // Never due sooner than a day later.
    EXPECT_EQ(forgot.dueMs, t1 + Fsrs::kDayMs);
}

TEST(FsrsSchedule, ElapsedDaysAreWholeDaysAndTargetRetentionMoves) {
    EXPECT_EQ(Fsrs::elapsedDays(0, Fsrs::kDayMs - 1), 0);
    EXPECT_EQ(Fsrs::elapsedDays(0, Fsrs::kDayMs), 1);
    EXPECT_EQ(Fsrs::elapsedDays(5 * Fsrs::kDayMs, 0), 0);
    // A higher target asks for earlier reviews; nonsense falls back to 90%.
    EXPECT_LT(Fsrs(0.95).intervalDays(30), Fsrs(0.9).intervalDays(30));
    EXPECT_GT(Fsrs(0.8).intervalDays(30), Fsrs(0.9).intervalDays(30));
    EXPECT_DOUBLE_EQ(Fsrs(0).targetRetention(), 0.9);
    EXPECT_DOUBLE_EQ(Fsrs(1.5).targetRetention(), 0.9);
    EXPECT_DOUBLE_EQ(Fsrs(std::nan("")).targetRetention(), 0.9);
    EXPECT_EQ(Fsrs().intervalDays(1e9), Fsrs::kMaxIntervalDays);
    // Predicted recall of a card at a time, in fractional days; none for a new one.
    Fsrs::Card c;
    EXPECT_EQ(Fsrs::retrievabilityAt(c, 0), 0.0);
    c = Fsrs().review(c, G::Knew, 0);
    expectClose(Fsrs::retrievabilityAt(c, qint64(c.memory.stability * Fsrs::kDayMs)), 0.9);
}
