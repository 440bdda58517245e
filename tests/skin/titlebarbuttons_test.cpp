// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/titlebarbuttons.h"

#include <QCursor>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "skin/pictureclip.h"
#include "tests/skin/skintest.h"

namespace {

struct TopButton {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TitleBarButtons* b;
    explicit TopButton(bool cursorAway = true) {
        window->setGeometry(100, 100, 345, 60);
        if (cursorAway) QCursor::setPos(700, 500);
        b = new TitleBarButtons(window.get());
        b->move(264, 5);
        window->show();
    }
    QImage cell(int sheet, int index) const {
        return b->findChild<PictureClip*>(QStringLiteral("pc%1").arg(sheet))
            ->GraphicCell(index)
            .toImage();
    }
    // The image on screen, compared with a sheet's cell.
    bool shows(int sheet, int index) const {
        return b->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
               cell(sheet, index).convertToFormat(QImage::Format_RGB32);
    }
};

TEST(TitleBarButtons, AlwaysTwentyOneSquare) {
    TopButton t;
    for (QSize asked : {QSize(1, 1), QSize(100, 40), QSize(0, 0), QSize(21, 21)}) {
        t.b->resize(asked);
        EXPECT_EQ(t.b->size(), QSize(21, 21)) << asked.width() << "x" << asked.height();
    }
    t.b->setGeometry(0, 0, 50, 50);
    EXPECT_EQ(t.b->size(), QSize(21, 21));
}

TEST(TitleBarButtons, ValueChoosesTheSheetAndOthersKeepIt) {
    const struct {
        std::vector<int> values;
        int sheet;
    } cases[] = {{{0}, 0}, {{1}, 1}, {{2}, 2}, {{3}, 3}, {{3, 7}, 3}, {{1, 7}, 1}, {{2, -1}, 2}};
    for (const auto& c : cases) {
        TopButton t;
        for (int v : c.values) t.b->setValue(v);
        EXPECT_TRUE(t.shows(c.sheet, 0)) << "last value " << c.values.back();
        EXPECT_EQ(t.b->value(), c.values.back());
    }
}

TEST(TitleBarButtons, EnabledShowsNormalOrWashedOut) {
    TopButton t;
    t.b->setValue(1);
    t.b->setEnabled(false);
    EXPECT_TRUE(t.shows(1, 3));
    t.b->setValue(3);
    EXPECT_TRUE(t.shows(3, 3)) << "a new sheet keeps the disabled cell";
    t.b->setEnabled(true);
    EXPECT_TRUE(t.shows(3, 0));
}

TEST(TitleBarButtons, DisabledMaximiseRaisesOnlyTheFirstMouseOut) {
    TopButton t;
    t.b->setValue(1);
    t.b->setEnabled(false);
    QSignalSpy click(t.b, &TitleBarButtons::Click), down(t.b, &TitleBarButtons::MouseDown),
        up(t.b, &TitleBarButtons::MouseUp), move(t.b, &TitleBarButtons::MouseMove),
        out(t.b, &TitleBarButtons::MouseOut);
    t.window->show();
    QTest::mouseClick(t.b, Qt::LeftButton, {}, {10, 10});
    sendMouse(t.b, QEvent::MouseMove, {8, 8}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return out.count() == 1; }, 200));
    QTest::qWait(40);
    EXPECT_EQ(out.count(), 1);
    EXPECT_EQ(click.count() + down.count() + up.count() + move.count(), 0);
    EXPECT_TRUE(t.shows(1, 3));
}

TEST(TitleBarButtons, NoMouseOutWhileTheCursorIsOverIt) {
    TopButton t(false);
    enterWindow(t.window.get());
    pointTo(t.b, {10, 10});
    QSignalSpy out(t.b, &TitleBarButtons::MouseOut);
    EXPECT_EQ(ownTimerEvents(t.b, 60), 0) << "nothing polls";
    EXPECT_EQ(out.count(), 0);
    pointTo(t.b, {10, 22});
    EXPECT_EQ(out.count(), 1) << "as soon as the leaving is delivered";
    pointTo(t.b, {10, 30});
    EXPECT_EQ(out.count(), 1) << "once";
}

TEST(TitleBarButtons, CreatedUnderTheCursorReportsOnlyTheLeaving) {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    window->setGeometry(100, 100, 345, 60);
    window->show();
    enterWindow(window.get());
    pointTo(window.get(), {274, 15});
    auto* b = new TitleBarButtons(window.get());
    b->move(264, 5);
    b->show();
    QSignalSpy out(b, &TitleBarButtons::MouseOut);
    QTest::qWait(30);
    EXPECT_EQ(out.count(), 0) << "the cursor is over it";
    pointTo(window.get(), {100, 40});
    EXPECT_EQ(out.count(), 1);
}

TEST(TitleBarButtons, PressHoverAndLeave) {
    TopButton t;
    QTest::qWait(30);  // the creation MouseOut is over
    QSignalSpy click(t.b, &TitleBarButtons::Click), out(t.b, &TitleBarButtons::MouseOut),
        move(t.b, &TitleBarButtons::MouseMove);
    bool pressedAtDown = false, normalAtUp = false;
    QObject::connect(t.b, &TitleBarButtons::MouseDown, [&] { pressedAtDown = t.shows(0, 2); });
    QObject::connect(t.b, &TitleBarButtons::MouseUp, [&] { normalAtUp = t.shows(0, 0); });

    enterWindow(t.window.get());
    pointTo(t.b, {10, 10});
    sendMouse(t.b, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(t.shows(0, 1)) << "hover";
    EXPECT_EQ(move.last(), (QList<QVariant>{0, 0, 10, 10}));
    sendMouse(t.b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(pressedAtDown) << "the darker image shows before MouseDown";
    sendMouse(t.b, QEvent::MouseMove, {12, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(t.shows(0, 2));
    sendMouse(t.b, QEvent::MouseButtonRelease, {12, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(normalAtUp) << "the normal image is back before MouseUp";
    EXPECT_TRUE(t.shows(0, 0));
    EXPECT_EQ(click.count(), 1);
    doubleClick(t.b, {10, 10});
    EXPECT_EQ(click.count(), 2) << "a double click is one click";

    sendMouse(t.b, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(t.shows(0, 1));
    EXPECT_EQ(ownTimerEvents(t.b, 60), 0) << "hovering: nothing polls";
    pointTo(t.b, {-1, 10});
    EXPECT_EQ(out.count(), 1);
    EXPECT_TRUE(t.shows(0, 0));
}

TEST(TitleBarButtons, StoredProperties) {
    TopButton t;
    t.b->loadProperties({{QStringLiteral("VALUE"), 2}, {QStringLiteral("enabled"), false}});
    EXPECT_EQ(t.b->value(), 2);
    EXPECT_FALSE(t.b->isEnabled());
    t.window->show();
    EXPECT_TRUE(t.shows(2, 3));
    EXPECT_EQ(t.b->storedProperties().size(), 2);
    t.b->loadDefaults();
    EXPECT_EQ(t.b->value(), 0);
    EXPECT_TRUE(t.b->isEnabled());
    EXPECT_TRUE(t.b->storedProperties().isEmpty());
}

}  // namespace
