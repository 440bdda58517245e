// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/widgets/windowplacement.h"

namespace {
const QRect kScreen(0, 0, 1024, 768);
const QSize kDialog(381, 349);
constexpr int kGap = WindowPlacement::kGap;

void expectBeside(const QRect& keep, const WindowPlacement::Place& at) {
    ASSERT_TRUE(at.clear);
    const QRect r(at.topLeft, kDialog);
    EXPECT_TRUE(kScreen.contains(r));
    EXPECT_FALSE(r.intersects(keep));
}
}  // namespace

TEST(WindowPlacement, RightOfTheWindowWhenThereIsRoom) {
    const QRect keep(400, 300, 160, 60);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(at.topLeft, QPoint(560 + kGap, 300));
}

TEST(WindowPlacement, LeftWhenTheRightEdgeIsNear) {
    const QRect keep(800, 100, 200, 60);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(at.topLeft, QPoint(800 - kGap - kDialog.width(), 100));
}

TEST(WindowPlacement, BelowOrAboveAWideWindow) {
    const QRect high(50, 20, 950, 200);
    auto at = WindowPlacement::beside(high, kDialog, kScreen);
    expectBeside(high, at);
    EXPECT_EQ(at.topLeft, QPoint(50, 220 + kGap));
    const QRect low(50, 500, 950, 200);
    at = WindowPlacement::beside(low, kDialog, kScreen);
    expectBeside(low, at);
    EXPECT_EQ(at.topLeft, QPoint(50, 500 - kGap - kDialog.height()));
}

TEST(WindowPlacement, AlignedTopIsPulledIntoTheScreen) {
    const QRect keep(100, 600, 160, 100);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    expectBeside(keep, at);
    EXPECT_EQ(at.topLeft.y(), 768 - kDialog.height());
}

TEST(WindowPlacement, NoRoomGivesTheLeastOverlapInsideTheArea) {
    // A small window in the middle of a small screen: nothing fits beside
    // it, so the dialog takes a corner and covers only a corner of it.
    const QRect keep(371, 348, 290, 72);
    const auto at = WindowPlacement::beside(keep, kDialog, kScreen);
    EXPECT_FALSE(at.clear);
    const QRect r(at.topLeft, kDialog);
    EXPECT_TRUE(kScreen.contains(r));
    const QRect covered = r.intersected(keep);
    EXPECT_LT(covered.width() * covered.height(), keep.width() * keep.height() / 4);
    // Larger than the area: it starts at the area's corner.
    const auto huge = WindowPlacement::beside(QRect(0, 0, 10, 10), QSize(2000, 100), kScreen);
    EXPECT_EQ(huge.topLeft.x(), 0);
}
