// SPDX-License-Identifier: GPL-3.0-or-later
// When the display window asks for its layout again after the window
// manager's move: once the move is over, and only if a new geometry was asked
// for during it.
#include <gtest/gtest.h>

#include "platform/widgets/windowplacement.h"

TEST(SystemMoveWatch, AGeometryAskedForDuringTheMoveIsAskedForAgainAtItsEnd) {
    SystemMoveWatch watch;
    watch.started();
    EXPECT_TRUE(watch.moving());
    // While the button is held the move goes on, whatever the window sees.
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::MouseMove, Qt::LeftButton));
    watch.geometryAsked();
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::Move, Qt::NoButton));
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::Resize, Qt::NoButton));
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::Leave, Qt::NoButton));
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::HoverMove, Qt::LeftButton));
    EXPECT_TRUE(watch.endsMoveToRedo(QEvent::MouseButtonRelease, Qt::NoButton));
    EXPECT_FALSE(watch.moving());
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::Enter, Qt::NoButton)) << "once only";
}

TEST(SystemMoveWatch, EveryWayTheEndOfTheMoveShows) {
    const std::pair<QEvent::Type, Qt::MouseButtons> ends[] = {
        {QEvent::MouseButtonRelease, Qt::NoButton},
        {QEvent::NonClientAreaMouseButtonRelease, Qt::NoButton},
        {QEvent::Enter, Qt::NoButton},
        {QEvent::MouseMove, Qt::NoButton},
        {QEvent::HoverMove, Qt::NoButton},
    };
    for (const auto& [type, buttons] : ends) {
        SCOPED_TRACE(int(type));
        SystemMoveWatch watch;
        watch.started();
        watch.geometryAsked();
        EXPECT_TRUE(watch.endsMoveToRedo(type, buttons));
    }
}

TEST(SystemMoveWatch, NothingToRedoWithoutAMoveOrWithoutANewGeometry) {
    SystemMoveWatch watch;
    watch.geometryAsked();  // outside a move: applied at once, nothing to redo
    watch.started();
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::MouseButtonRelease, Qt::NoButton));
    EXPECT_FALSE(watch.moving()) << "the move ended all the same";
    watch.geometryAsked();
    watch.started();
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::MouseButtonRelease, Qt::NoButton))
        << "asked for between two moves";
    EXPECT_FALSE(watch.endsMoveToRedo(QEvent::MouseButtonRelease, Qt::NoButton));
}
