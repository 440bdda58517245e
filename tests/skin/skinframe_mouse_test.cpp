// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QtTest/QTest>

#include "tests/skin/skintest.h"

namespace {

struct ResizeCase {
    int code;
    const char* zone;
    QPoint pressAt;  // inside the zone
    QRect expected;  // form at 100,80 345 x 497 after a drag of (30, 20)
};

const ResizeCase kResizes[] = {
    {0, "picleft", {2, 100}, {130, 80, 315, 497}},
    {1, "picright", {2, 100}, {100, 80, 375, 497}},
    {2, "imgresize2", {100, 4}, {100, 100, 345, 477}},
    {3, "picbottom", {100, 2}, {100, 80, 345, 517}},
    {4, "imgresize4", {4, 6}, {100, 80, 375, 517}},
    {5, "imgresize5", {4, 2}, {130, 80, 315, 517}},
    {6, "imgresize6", {4, 4}, {100, 100, 375, 477}},
    {7, "imgresize7", {4, 4}, {130, 100, 315, 477}},
};

TEST(SkinFrameResize, EveryEdgeCodeOnRelease) {
    for (const auto& c : kResizes) {
        SkinForm f;
        QWidget* zone = f.part(QLatin1String(c.zone));
        sendMouse(zone, QEvent::MouseButtonPress, c.pressAt, Qt::LeftButton, Qt::LeftButton);
        sendMouse(zone, QEvent::MouseMove, c.pressAt + QPoint(30, 20), Qt::NoButton,
                  Qt::LeftButton);
        EXPECT_EQ(f.form->geometry(), QRect(100, 80, 345, 497)) << "no live feedback, " << c.zone;
        sendMouse(zone, QEvent::MouseButtonRelease, c.pressAt + QPoint(30, 20), Qt::LeftButton,
                  Qt::NoButton);
        EXPECT_EQ(f.form->geometry(), c.expected) << "code " << c.code;
    }
}

TEST(SkinFrameResize, SmallWindowEdgeCases) {
    const struct {
        const char* zone;
        QPoint delta;
        QRect expected;
    } cases[] = {
        {"picright", {30, 0}, {50, 50, 130, 120}},    // right edge out, left edge stays
        {"imgresize7", {10, 10}, {60, 60, 90, 110}},  // corner in by (10, 10)
        {"picleft", {0, 0}, {50, 50, 100, 120}},      // release where pressed: no change
        {"picleft", {150, 0}, {50, 50, 100, 120}},    // negative width refused
    };
    for (const auto& c : cases) {
        SkinForm f({100, 120}, {50, 50});
        dragOn(f.part(QLatin1String(c.zone)), {2, 2}, c.delta);
        EXPECT_EQ(f.form->geometry(), c.expected) << c.zone;
    }
}

// A form with a smallest size: a side dragged in stops there and the
// opposite side stays where it was, at every edge code.
TEST(SkinFrameResize, SmallestSizeStopsTheDraggedSide) {
    const struct {
        const char* zone;
        QRect expected;  // form at 50,50 100 x 120, smallest 80 x 100, dragged in by 40
    } cases[] = {
        {"picleft", {70, 50, 80, 120}},     {"picright", {50, 50, 80, 120}},
        {"imgresize2", {50, 70, 100, 100}}, {"picbottom", {50, 50, 100, 100}},
        {"imgresize4", {50, 50, 80, 100}},  {"imgresize5", {70, 50, 80, 100}},
        {"imgresize6", {50, 70, 80, 100}},  {"imgresize7", {70, 70, 80, 100}},
    };
    for (const auto& c : cases) {
        SkinForm f({100, 120}, {50, 50});
        f.form->setMinimumSize(80, 100);
        const QString zone = QLatin1String(c.zone);
        const bool movesLeft = zone == "picleft" || zone == "imgresize5" || zone == "imgresize7";
        const bool movesTop = zone == "imgresize2" || zone == "imgresize6" || zone == "imgresize7";
        dragOn(f.part(zone), {2, 2}, {movesLeft ? 40 : -40, movesTop ? 40 : -40});
        EXPECT_EQ(f.form->geometry(), c.expected) << c.zone;
    }
}

TEST(SkinFrameResize, AnyButtonResizes) {
    SkinForm f;
    dragOn(f.part(QStringLiteral("picbottom")), {100, 2}, {0, 20}, Qt::RightButton);
    EXPECT_EQ(f.form->height(), 517);
}

// A fixed frame and a maximised form: no zone resizes anything.
TEST(SkinFrameResize, FixedOrMaximisedIgnoresEveryZone) {
    for (bool fixed : {true, false}) {
        for (const auto& c : kResizes) {
            SkinForm f;
            if (fixed)
                f.frame->setFixedFrame(true);
            else
                f.form->setWindowState(Qt::WindowMaximized);
            const QRect before = f.form->geometry();
            dragOn(f.part(QLatin1String(c.zone)), c.pressAt, {30, 20});
            EXPECT_EQ(f.form->geometry(), before) << c.zone << (fixed ? " fixed" : " maximised");
        }
    }
}

TEST(SkinFrameMove, DraggingTheBandOrCaptionMovesTheForm) {
    for (const char* where : {"pictop", "lblcaption"}) {
        for (auto button : {Qt::LeftButton, Qt::RightButton}) {
            SkinForm f;
            f.form->show();
            dragOn(f.part(QLatin1String(where)), {60, 10}, {30, 20}, button);
            EXPECT_EQ(f.form->pos(), QPoint(130, 100)) << where << " button " << button;
            EXPECT_EQ(f.form->size(), QSize(345, 497));
        }
    }
}

TEST(SkinFrameMove, FixedFrameStillMoves) {
    SkinForm f;
    f.frame->setFixedFrame(true);
    f.form->show();
    dragOn(f.part(QStringLiteral("pictop")), {200, 15}, {-20, 5});
    EXPECT_EQ(f.form->pos(), QPoint(80, 85));
}

TEST(SkinFrameMove, MaximisedFormDoesNotMove) {
    SkinForm f;
    f.form->showMaximized();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return f.form->geometry() != QRect(100, 80, 345, 497); }, 500));
    const QRect before = f.form->geometry();
    dragOn(f.part(QStringLiteral("pictop")), {200, 15}, {40, 40});
    EXPECT_EQ(f.form->geometry(), before);
    EXPECT_TRUE(f.form->windowState() & Qt::WindowMaximized);
}

TEST(SkinFrameMove, DoubleClickMaximisesAndRestores) {
    for (const char* where : {"pictop", "lblcaption"}) {
        SkinForm f;
        f.form->show();
        QWidget* target = f.part(QLatin1String(where));
        doubleClick(target, {60, 12});
        EXPECT_TRUE(f.form->windowState() & Qt::WindowMaximized) << where;
        doubleClick(target, {60, 12});
        EXPECT_EQ(f.form->windowState(), Qt::WindowNoState) << where;
        f.form->setWindowState(Qt::WindowMinimized);
        doubleClick(target, {60, 12});
        EXPECT_EQ(f.form->windowState(), Qt::WindowNoState) << "minimised restores, " << where;
    }
}

TEST(SkinFrameMove, DoubleClickOnAFixedFrameDoesNothing) {
    SkinForm f;
    f.frame->setFixedFrame(true);
    f.form->show();
    doubleClick(f.part(QStringLiteral("pictop")), {60, 12});
    EXPECT_EQ(f.form->windowState(), Qt::WindowNoState);
    EXPECT_EQ(f.form->geometry(), QRect(100, 80, 345, 497));
}

TEST(SkinFrameEvents, SurfaceEventsReachTheForm) {
    SkinForm f;
    QSignalSpy down(f.frame, &SkinFrame::MouseDown), up(f.frame, &SkinFrame::MouseUp),
        move(f.frame, &SkinFrame::MouseMove), click(f.frame, &SkinFrame::Click),
        dbl(f.frame, &SkinFrame::DblClick);
    sendMouse(f.frame, QEvent::MouseButtonPress, {50, 60}, Qt::RightButton, Qt::RightButton,
              Qt::ShiftModifier);
    sendMouse(f.frame, QEvent::MouseMove, {52, 61}, Qt::NoButton, Qt::RightButton);
    sendMouse(f.frame, QEvent::MouseButtonRelease, {52, 61}, Qt::RightButton, Qt::NoButton);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0], (QList<QVariant>{2, 1, 50, 60}));
    EXPECT_EQ(move[0], (QList<QVariant>{2, 0, 52, 61}));
    EXPECT_EQ(up[0], (QList<QVariant>{2, 0, 52, 61}));
    EXPECT_EQ(click.count(), 0) << "only the left button clicks";
    doubleClick(f.frame, {50, 60});
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(dbl.count(), 1);
}

TEST(SkinFrameEvents, BandPressesAreNotSurfaceEvents) {
    SkinForm f;
    QSignalSpy down(f.frame, &SkinFrame::MouseDown);
    for (const char* part : {"pictop", "picleft", "imgresize2"})
        QTest::mouseClick(f.part(QLatin1String(part)), Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(down.count(), 0);
}

TEST(SkinFrameEvents, KeysPassThrough) {
    SkinForm f;
    QSignalSpy down(f.frame, &SkinFrame::KeyDown), press(f.frame, &SkinFrame::KeyPress),
        up(f.frame, &SkinFrame::KeyUp);
    QTest::keyClick(f.frame, 'A', Qt::ShiftModifier);  // Shift down, A, A up, Shift up
    ASSERT_EQ(down.count(), 2);
    EXPECT_EQ(down[0][0].toInt(), int(Qt::Key_Shift));
    EXPECT_EQ(down[1], (QList<QVariant>{int(Qt::Key_A), 1}));
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press[0][0].toInt(), int('A'));
    EXPECT_EQ(up[0], (QList<QVariant>{int(Qt::Key_A), 1}));
}

}  // namespace
