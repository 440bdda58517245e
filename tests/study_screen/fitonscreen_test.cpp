// SPDX-License-Identifier: GPL-3.0-or-later
// A window that sizes itself to its content, kept on a 1024x768 screen whose
// lowest 40 pixels belong to a panel.
#include <gtest/gtest.h>

#include "platform/widgets/windowplacement.h"

namespace {
const QRect kScreen(0, 0, 1024, 768);
const QRect kAvailable(0, 0, 1024, 728);
}  // namespace

TEST(FitOnScreen, AWindowThatFitsStaysWhereItIs) {
    FitOnScreen fit;
    EXPECT_EQ(fit.place({100, 50}, {300, 200}, kScreen, kAvailable), QPoint(100, 50));
    EXPECT_EQ(fit.place({-20, -30}, {300, 200}, kScreen, kAvailable), QPoint(0, -30))
        << "the left edge comes onto the screen; the top is left as it is";
    EXPECT_EQ(fit.place({900, 528}, {300, 200}, kScreen, kAvailable), QPoint(724, 528))
        << "the right edge meets the screen's; ending on the area's last row is inside";
}

TEST(FitOnScreen, ATallWindowIsLiftedAndGoesBackWhenShorterAgain) {
    FitOnScreen fit;
    EXPECT_EQ(fit.place({200, 400}, {300, 100}, kScreen, kAvailable), QPoint(200, 400));
    EXPECT_EQ(fit.place({200, 400}, {300, 500}, kScreen, kAvailable), QPoint(200, 228))
        << "up just far enough";
    EXPECT_EQ(fit.place({200, 228}, {300, 600}, kScreen, kAvailable), QPoint(200, 128))
        << "taller still: further up";
    EXPECT_EQ(fit.place({200, 128}, {300, 900}, kScreen, kAvailable), QPoint(200, 0))
        << "never above the top";
    EXPECT_EQ(fit.place({200, 0}, {300, 100}, kScreen, kAvailable), QPoint(200, 400))
        << "shorter again: back where it stood";
    EXPECT_EQ(fit.place({200, 400}, {300, 100}, kScreen, kAvailable), QPoint(200, 400));
}

TEST(FitOnScreen, AWindowMovedWhileLiftedStaysWhereItWasPut) {
    FitOnScreen fit;
    EXPECT_EQ(fit.place({200, 400}, {300, 500}, kScreen, kAvailable), QPoint(200, 228));
    EXPECT_EQ(fit.place({250, 100}, {300, 100}, kScreen, kAvailable), QPoint(250, 100));
    EXPECT_EQ(fit.place({250, 100}, {300, 100}, kScreen, kAvailable), QPoint(250, 100))
        << "its old place is forgotten";
    // Lifted, then pushed left by widening: still its own doing, not a move.
    EXPECT_EQ(fit.place({800, 400}, {300, 500}, kScreen, kAvailable), QPoint(724, 228));
    EXPECT_EQ(fit.place({724, 228}, {200, 100}, kScreen, kAvailable), QPoint(724, 400));
}
