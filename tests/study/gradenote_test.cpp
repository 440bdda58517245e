// SPDX-License-Identifier: GPL-3.0-or-later
// The note after a grade: the grade's name and when the question comes again.
#include <gtest/gtest.h>

#include "study/gradenote.h"

namespace {
constexpr qint64 kMinute = 60 * 1000, kHour = 60 * kMinute, kDay = 24 * kHour;
}

TEST(GradeNote, NamesTheGradesInTheOrderOfTheirKeys) {
    EXPECT_EQ(GradeNote::name(Fsrs::Grade(1)), "忘了");
    EXPECT_EQ(GradeNote::name(Fsrs::Grade(2)), "模糊");
    EXPECT_EQ(GradeNote::name(Fsrs::Grade(3)), "记得");
    EXPECT_EQ(GradeNote::name(Fsrs::Grade(4)), "简单");
    EXPECT_EQ(GradeNote::text(Fsrs::Grade::Knew, 3 * kDay), "记得 · 下次：3 天后");
}

TEST(GradeNote, TellsAnIntervalInTheUnitThatSuitsIt) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "1 分钟后"},
        {10 * kMinute, "10 分钟后"},
        {59 * kMinute, "59 分钟后"},
        {60 * kMinute, "1 小时后"},
        {5 * kHour + 20 * kMinute, "5 小时后"},
        {23 * kHour, "23 小时后"},
        {kDay, "1 天后"},
        {29 * kDay, "29 天后"},
        {30 * kDay, "1 个月后"},
        {45 * kDay, "1 个月后"},
        {46 * kDay, "2 个月后"},
        {330 * kDay, "11 个月后"},
        {365 * kDay, "1 年后"},
        {548 * kDay, "1.5 年后"},
        {3650 * kDay, "10 年后"},
    };
    for (const auto& [ms, text] : cases) EXPECT_EQ(GradeNote::after(ms), text) << ms / kMinute;
}
