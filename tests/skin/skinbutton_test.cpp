// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinbutton.h"

#include <QCursor>
#include <QLabel>
#include <QMetaClassInfo>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "skin/pictureclip.h"
#include "tests/skin/skintest.h"

namespace {

// A face sheet whose pixels say where they came from: red = face, green =
// piece (0-8, in the painting order) * 20 + 10 for the second half of a
// stretched piece, blue = position inside a corner.
int pieceAt(int x, int y) {
    const int col = x < 3 ? 0 : x < 15 ? 1 : 2, row = y < 3 ? 0 : y < 18 ? 1 : 2;
    const int table[3][3] = {{0, 4, 1}, {6, 8, 5}, {3, 7, 2}};
    return table[row][col];
}

QPixmap markedSheet() {
    QImage sheet(90, 21, QImage::Format_RGB32);
    for (int face = 0; face < 5; ++face)
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 18; ++x) {
                const int piece = pieceAt(x, y);
                const bool secondHalf =
                    piece >= 4 && (piece == 4 || piece == 7 || piece == 8 ? x >= 9 : y >= 10);
                const int blue = piece < 4 ? (x % 3) * 3 + (y % 3) : 0;
                sheet.setPixel(face * 18 + x, y,
                               qRgb(face * 50, piece * 20 + (secondHalf ? 10 : 0), blue * 20));
            }
    return QPixmap::fromImage(sheet);
}

struct Button {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    SkinButton* b = new SkinButton(window.get());
    Button() {
        window->resize(200, 100);
        b->setObjectName(QStringLiteral("cmdSave"));
        b->findChild<PictureClip*>(QStringLiteral("pc"))->setPicture(markedSheet());
        b->setGeometry(20, 30, 81, 25);
        window->show();
        b->setState(0);
    }
    int face() const { return qRed(b->face().toImage().pixel(40, 12)) / 50; }
    QLabel* lbl() const { return b->findChild<QLabel*>(QStringLiteral("lbl")); }
};

TEST(SkinButton, NinePiecesOnAn81By25Button) {
    Button t;
    const QImage face = t.b->face().toImage();
    ASSERT_EQ(face.size(), QSize(81, 25));
    // The nine destination rectangles of an 81 x 25 button.
    const QRect pieces[9] = {{0, 0, 3, 3},  {78, 0, 3, 3},  {78, 22, 3, 3},
                             {0, 22, 3, 3}, {3, 0, 75, 3},  {78, 3, 3, 19},
                             {0, 3, 3, 19}, {3, 22, 75, 3}, {3, 3, 75, 19}};
    for (int piece = 0; piece < 9; ++piece) {
        const QRect& r = pieces[piece];
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb px = face.pixel(x, y);
                ASSERT_EQ(qGreen(px) / 20, piece) << "at " << x << "," << y;
                // Corners are copied pixel for pixel.
                if (piece < 4)
                    ASSERT_EQ(qBlue(px), ((x - r.left()) * 3 + (y - r.top())) * 20) << piece;
            }
    }
    // Stretched, not tiled: each edge and the centre show their two halves once.
    const struct {
        QPoint first, second;
    } halves[] = {{{38, 1}, {42, 1}},
                  {{38, 23}, {42, 23}},
                  {{79, 11}, {79, 14}},
                  {{1, 11}, {1, 14}},
                  {{38, 12}, {42, 12}}};
    for (const auto& h : halves) {
        EXPECT_EQ(qGreen(face.pixel(h.first)) % 20, 0) << h.first.x() << "," << h.first.y();
        EXPECT_EQ(qGreen(face.pixel(h.second)) % 20, 10) << h.second.x() << "," << h.second.y();
    }
    EXPECT_EQ(t.b->grab().toImage().pixel(40, 2), face.pixel(40, 2)) << "the face is what shows";
}

TEST(SkinButton, StateChoosesTheRestFace) {
    const struct {
        std::vector<int> states;
        int face;
    } cases[] = {{{0}, 0}, {{1}, 4}, {{1, 5}, 4}, {{0, 5}, 0}, {{1, 0}, 0}, {{-1}, 0}};
    for (const auto& c : cases) {
        Button t;
        for (int s : c.states) t.b->setState(s);
        EXPECT_EQ(t.face(), c.face) << "last state " << c.states.back();
        EXPECT_EQ(t.b->state(), c.states.back());
    }
    const QMetaObject& meta = SkinButton::staticMetaObject;
    const int info = meta.indexOfClassInfo("State");
    ASSERT_GE(info, 0);
    EXPECT_STREQ(meta.classInfo(info).value(),
                 "Returns/sets the state of the command button when mouse_out.");
}

TEST(SkinButton, EnabledColoursTheCaptionAndShowsTheDisabledFace) {
    Button t;
    t.b->setState(1);
    const auto ink = [&] {
        return t.lbl()->palette().color(
            t.lbl()->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    };
    EXPECT_EQ(ink(), QColor(0, 0, 0));
    t.b->setEnabled(false);
    EXPECT_EQ(t.face(), 2);
    EXPECT_EQ(ink(), QColor(161, 161, 146));
    t.b->setState(0);
    EXPECT_EQ(t.face(), 2) << "disabled stays on the disabled face";
    t.b->setEnabled(true);
    EXPECT_EQ(t.face(), 0);
    EXPECT_EQ(ink(), QColor(0, 0, 0));
}

TEST(SkinButton, FacesFollowTheMouse) {
    Button t;
    QSignalSpy moved(t.b, &SkinButton::MouseMove), out(t.b, &SkinButton::MouseOut);
    int faceAtDown = -1, faceAtUp = -1;
    QObject::connect(t.b, &SkinButton::MouseDown, [&] { faceAtDown = t.face(); });
    QObject::connect(t.b, &SkinButton::MouseUp, [&] { faceAtUp = t.face(); });

    enterWindow(t.window.get());
    pointTo(t.b, {60, 5});
    sendMouse(t.b, QEvent::MouseMove, {60, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(t.face(), 3) << "hover";
    EXPECT_EQ(moved.last(), (QList<QVariant>{0, 0, 60, 5}));
    moved.clear();
    sendMouse(t.b, QEvent::MouseButtonPress, {60, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(faceAtDown, 3) << "MouseDown is raised before the pressed face shows";
    EXPECT_EQ(t.face(), 1);
    sendMouse(t.b, QEvent::MouseMove, {62, 6}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(t.face(), 1) << "moving with the left button held";
    // Held, the button gets the moves beyond it: the pointer has left.
    sendMouse(t.b, QEvent::MouseMove, {120, 6}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(moved.count(), 1) << "no MouseMove outside";
    EXPECT_EQ(out.count(), 1);
    EXPECT_EQ(t.face(), 0);
    sendMouse(t.b, QEvent::MouseMove, {130, 6}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(out.count(), 1) << "once per leaving";
    sendMouse(t.b, QEvent::MouseMove, {62, 6}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(t.face(), 1) << "back over it, still held";
    sendMouse(t.b, QEvent::MouseButtonRelease, {62, 6}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(faceAtUp, 1);
    EXPECT_EQ(t.face(), 0);

    out.clear();
    sendMouse(t.b, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(t.face(), 3);
    EXPECT_EQ(ownTimerEvents(t.b, 60), 0) << "the cursor rests on the button: nothing polls";
    EXPECT_EQ(out.count(), 0) << "the cursor is still over the button";
    pointTo(t.b, {82, 10});
    EXPECT_EQ(out.count(), 1) << "as soon as the leaving is delivered";
    EXPECT_EQ(t.face(), 0);
    EXPECT_EQ(ownTimerEvents(t.b, 40), 0);
    EXPECT_EQ(out.count(), 1) << "once";
}

TEST(SkinButton, LeavingWithoutAMoveOverItRaisesNothing) {
    Button t;
    QSignalSpy out(t.b, &SkinButton::MouseOut);
    enterWindow(t.window.get());
    pointTo(t.b, {10, 10});  // a move over it
    pointTo(t.b, {10, 40});
    EXPECT_EQ(out.count(), 1);
    // A leave that Qt reports without any move over the button before it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(t.b, &leave);
    EXPECT_EQ(out.count(), 1) << "nothing was watching";
}

TEST(SkinButton, DraggingOffTheCaptionIsLeaving) {
    Button t;
    t.b->setCaption(QStringLiteral("Save"));
    QSignalSpy out(t.b, &SkinButton::MouseOut), moved(t.b, &SkinButton::MouseMove);
    sendMouse(t.lbl(), QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::NoButton);
    sendMouse(t.lbl(), QEvent::MouseButtonPress, {3, 4}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(t.lbl(), QEvent::MouseMove, {3, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(out.count(), 1);
    EXPECT_EQ(moved.count(), 1) << "the move below the button is not over the caption";
    EXPECT_EQ(t.face(), 0);
}

TEST(SkinButton, MovesOverTheCaptionReportTheCaptionsCorner) {
    Button t;
    t.b->setCaption(QStringLiteral("Save"));
    QSignalSpy moved(t.b, &SkinButton::MouseMove);
    sendMouse(t.lbl(), QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0], (QList<QVariant>{0, 0, t.lbl()->x(), t.lbl()->y()}));
    EXPECT_EQ(t.face(), 3);
}

TEST(SkinButton, OneClickPerClickOrDoubleClick) {
    const struct {
        bool onCaption, doubleClick;
        Qt::MouseButton button;
        QPoint releaseAt;  // relative to the press
        int clicks;
    } cases[] = {
        {false, false, Qt::LeftButton, {0, 0}, 1},  {true, false, Qt::LeftButton, {0, 0}, 1},
        {false, true, Qt::LeftButton, {0, 0}, 1},   {true, true, Qt::LeftButton, {0, 0}, 1},
        {false, false, Qt::RightButton, {0, 0}, 0}, {false, false, Qt::LeftButton, {200, 0}, 0}};
    for (const auto& c : cases) {
        Button t;
        t.b->setCaption(QStringLiteral("Save"));
        QSignalSpy clicks(t.b, &SkinButton::Click);
        QWidget* target = c.onCaption ? static_cast<QWidget*>(t.lbl()) : t.b;
        const QPoint at = c.onCaption ? QPoint(5, 5) : QPoint(4, 4);
        if (c.doubleClick) {
            doubleClick(target, at, c.button);
        } else {
            sendMouse(target, QEvent::MouseButtonPress, at, c.button, c.button);
            sendMouse(target, QEvent::MouseButtonRelease, at + c.releaseAt, c.button, {});
        }
        EXPECT_EQ(clicks.count(), c.clicks)
            << (c.onCaption ? "caption" : "button") << (c.doubleClick ? " double" : "");
    }
}

TEST(SkinButton, KeysPassThroughWithoutClicking) {
    Button t;
    QSignalSpy clicks(t.b, &SkinButton::Click), down(t.b, &SkinButton::KeyDown),
        press(t.b, &SkinButton::KeyPress), up(t.b, &SkinButton::KeyUp);
    for (auto key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(t.b, key);
    EXPECT_EQ(clicks.count(), 0);
    ASSERT_EQ(down.count(), 3);
    EXPECT_EQ(down[0], (QList<QVariant>{int(Qt::Key_Space), 0}));
    EXPECT_EQ(press[0][0].toInt(), int(' '));
    EXPECT_EQ(up.count(), 3);
}

TEST(SkinButton, AccessKeyClicks) {
    Button t;
    t.b->setCaption(QStringLiteral("保存(&S)"));
    auto* other = new SkinButton(t.window.get());
    other->setGeometry(110, 30, 81, 25);
    other->setCaption(QStringLiteral("删除(&D)"));
    other->setEnabled(false);
    t.window->show();
    t.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
    QSignalSpy clicks(t.b, &SkinButton::Click), otherClicks(other, &SkinButton::Click);
    QTest::keyClick(t.window.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(t.b->hasFocus());
    QTest::keyClick(t.window.get(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(otherClicks.count(), 0) << "a disabled button's access key does nothing";
}

TEST(SkinButton, CaptionStaysCentred) {
    Button t;
    const auto centred = [&] {
        const QRect r = t.lbl()->geometry();
        return std::abs((r.left() + r.right()) - 80) <= 1 &&
               std::abs((r.top() + r.bottom()) - 24) <= 1;
    };
    for (const char* caption : {"OK", "保存问题", "a much longer caption"}) {
        t.b->setCaption(QString::fromUtf8(caption));
        EXPECT_TRUE(centred()) << caption;
    }
    const QSize before = t.lbl()->size();
    QFont big = t.b->font();
    big.setPointSize(16);
    t.b->setFont(big);
    EXPECT_GT(t.lbl()->height(), before.height()) << "the caption takes the font";
    EXPECT_TRUE(centred());
    t.b->resize(120, 40);
    EXPECT_TRUE(std::abs(t.lbl()->geometry().center().x() - 60) <= 1);
}

TEST(SkinButton, StoredPropertiesInTheirOrderAndAnyCase) {
    Button t;
    t.b->loadProperties({{QStringLiteral("state"), 1},
                         {QStringLiteral("ENABLED"), false},
                         {QStringLiteral("Caption"), QStringLiteral("删除问题")}});
    EXPECT_EQ(t.b->state(), 1);
    EXPECT_FALSE(t.b->isEnabled());
    EXPECT_EQ(t.b->caption(), QStringLiteral("删除问题"));
    EXPECT_EQ(t.face(), 2);
    t.b->loadDefaults();
    EXPECT_EQ(t.b->caption(), QStringLiteral("cmdSave")) << "a new button shows its own name";
    EXPECT_TRUE(t.b->isEnabled());
    EXPECT_EQ(t.b->font(), t.window->font());
    EXPECT_TRUE(t.b->storedProperties().isEmpty());
}

}  // namespace
