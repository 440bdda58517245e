// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "platform/olecolour.h"

TEST(OleColour, StoredNumbersOfTheSystemColours) {
    EXPECT_EQ(OleColour::toSigned(OleColour::kDesktop), -2147483647);
    EXPECT_EQ(OleColour::toSigned(OleColour::kHighlightText), -2147483634);
    EXPECT_EQ(OleColour::fromNumber(-2147483647.0), OleColour::kDesktop);
    EXPECT_EQ(OleColour::fromNumber(-2147483634.0), OleColour::kHighlightText);
}

TEST(OleColour, RedIsTheLowByte) {
    EXPECT_EQ(OleColour::toColor(11230520), QColor(56, 93, 171));
    EXPECT_EQ(OleColour::fromColor(QColor(56, 93, 171)), 11230520u);
    EXPECT_EQ(OleColour::fromColor(Qt::white), 16777215u);
    EXPECT_EQ(OleColour::toColor(255), QColor(255, 0, 0));
    EXPECT_EQ(OleColour::toSigned(16777215), 16777215);
}

TEST(OleColour, SystemColoursMapToThePalette) {
    EXPECT_EQ(OleColour::toColor(OleColour::kHighlightText),
              QGuiApplication::palette().color(QPalette::HighlightedText));
    const QColor desktop = OleColour::toColor(OleColour::kDesktop);
    EXPECT_TRUE(desktop.isValid());
    EXPECT_NE(desktop, OleColour::toColor(OleColour::kHighlightText));
}
