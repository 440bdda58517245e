#include <gtest/gtest.h>

#include "platform/windowplacement.h"

namespace {
const QRect kScreen(0, 0, 1024, 768);
const QSize kDialog(381, 349);
constexpr int kGap = WindowPlacement::kGap;

void expectBeside(const QRect& keep, const std::optional<QPoint>& at) {
    ASSERT_TRUE(at.has_value());
    const QRect r(*at, kDialog);
    EXPECT_TRUE(kScreen.contains(r));
    EXPECT_FALSE(r.intersects(keep));
}
}  // namespace

TEST(WindowPlacement, RightOfTheWindowWhenThereIsRoom) {
    const QRect keep(400, 300, 160, 60);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(*at, QPoint(560 + kGap, 300));
}

TEST(WindowPlacement, LeftWhenTheRightEdgeIsNear) {
    const QRect keep(800, 100, 200, 60);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(*at, QPoint(800 - kGap - kDialog.width(), 100));
}

TEST(WindowPlacement, BelowOrAboveAWideWindow) {
    const QRect high(50, 20, 950, 200);
    auto at = WindowPlacement::beside(high, kDialog, kScreen);
    expectBeside(high, at);
    EXPECT_EQ(*at, QPoint(50, 220 + kGap));
    const QRect low(50, 500, 950, 200);
    at = WindowPlacement::beside(low, kDialog, kScreen);
    expectBeside(low, at);
    EXPECT_EQ(*at, QPoint(50, 500 - kGap - kDialog.height()));
}

TEST(WindowPlacement, AlignedTopIsPulledIntoTheScreen) {
    const QRect keep(100, 600, 160, 100);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(at->y(), 768 - kDialog.height());
}

TEST(WindowPlacement, NoRoomGivesNothing) {
    EXPECT_FALSE(WindowPlacement::beside(QRect(100, 100, 800, 560), kDialog, kScreen).has_value());
    EXPECT_FALSE(
        WindowPlacement::beside(QRect(0, 0, 10, 10), QSize(2000, 100), kScreen).has_value());
}
