// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QtTest/QTest>

#include "skin/demo/skindemowindow.h"
#include "skin/pictureclip.h"
#include "skin/skinbutton.h"
#include "skin/titlebarbuttons.h"
#include "tests/skin/skintest.h"

namespace {

const QRgb kKey = 0xFF00FF;

struct Picture {
    const char* name;
    QSize size;
};

const Picture kPictures[] = {
    {"imgtop1", {66, 29}},    {"imgtop2", {66, 29}},    {"imgtopmax1", {66, 29}},
    {"imgtopmax2", {66, 29}}, {"imgleft1", {5, 31}},    {"imgleft2", {5, 31}},
    {"imgright1", {5, 31}},   {"imgright2", {5, 31}},   {"imgbottom1", {49, 5}},
    {"imgbottom2", {49, 5}},  {"Image1", {16, 16}},
};

TEST(Artwork, FramePicturesLoadWithTheirSizes) {
    SkinForm f;
    for (const auto& p : kPictures)
        EXPECT_EQ(f.image(QLatin1String(p.name))->pixmap().size(), p.size) << p.name;
}

int keyPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += rgb(img, x, y) == kKey;
    return n;
}

TEST(Artwork, OnlyTheRoundedTitlesCarryTheKeyColourInTheirCorners) {
    SkinForm f;
    const int profile[5] = {5, 3, 2, 1, 1};
    for (const char* name : {"imgtop1", "imgtop2"}) {
        const QImage img = f.image(QLatin1String(name))->pixmap().toImage();
        EXPECT_EQ(keyPixels(img), 24) << name;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 66; ++x)
                EXPECT_EQ(rgb(img, x, y) == kKey, x < profile[y] || x >= 66 - profile[y])
                    << name << " " << x << "," << y;
    }
    for (const char* name : {"imgtopmax1", "imgtopmax2", "imgleft1", "imgright2", "imgbottom1"})
        EXPECT_EQ(keyPixels(f.image(QLatin1String(name))->pixmap().toImage()), 0) << name;
}

TEST(Artwork, InactiveLookIsDimmer) {
    SkinForm f;
    for (const char* role : {"imgtop", "imgtopmax", "imgleft", "imgright", "imgbottom"}) {
        const QImage active = f.image(QLatin1String(role) + '1')->pixmap().toImage();
        const QImage inactive = f.image(QLatin1String(role) + '2')->pixmap().toImage();
        const QPoint mid(active.width() / 2, active.height() / 2);
        EXPECT_LT(inactive.pixelColor(mid).hsvSaturation() + 60,
                  active.pixelColor(mid).hsvSaturation())
            << role;
    }
}

TEST(Artwork, EveryButtonCellLooksDifferent) {
    SkinButton cmd;
    TitleBarButtons top;
    std::vector<PictureClip*> sheets{cmd.findChild<PictureClip*>(QStringLiteral("pc"))};
    for (int i = 0; i < 4; ++i)
        sheets.push_back(top.findChild<PictureClip*>(QStringLiteral("pc%1").arg(i)));
    const QSize cells[2] = {{18, 21}, {21, 21}};
    for (PictureClip* sheet : sheets) {
        const bool isCmd = sheet == sheets.front();
        EXPECT_EQ(sheet->Picture().size(), isCmd ? QSize(90, 21) : QSize(84, 21));
        EXPECT_EQ(sheet->cellSize(), cells[isCmd ? 0 : 1]);
        const int n = sheet->Cols();
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                EXPECT_NE(sheet->GraphicCell(a).toImage(), sheet->GraphicCell(b).toImage())
                    << qPrintable(sheet->objectName()) << " cells " << a << " and " << b;
    }
}

TEST(SkinDemo, HoldsTheEditorsControls) {
    SkinDemoWindow demo;
    auto* frame = demo.findChild<SkinFrame*>(QStringLiteral("xp_canvas1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 345, 497));
    EXPECT_EQ(demo.windowTitle(), QStringLiteral("增加问题"));
    const struct {
        const char* name;
        QPoint at;
        int value;
    } top[3] = {{"xptopbuttons3", {264, 5}, 2}, {"xptopbuttons2", {288, 5}, 1},
                {"xptopbuttons1", {312, 5}, 0}};
    for (const auto& t : top) {
        auto* b = demo.findChild<TitleBarButtons*>(QLatin1String(t.name));
        ASSERT_NE(b, nullptr) << t.name;
        EXPECT_EQ(b->pos(), t.at) << t.name;
        EXPECT_EQ(b->value(), t.value) << t.name;
    }
    EXPECT_EQ(demo.findChild<SkinButton*>(QStringLiteral("CmdAdd"))->state(), 1);
    EXPECT_FALSE(demo.findChild<SkinButton*>(QStringLiteral("cmdDelete"))->isEnabled());
    EXPECT_EQ(regionArea(demo.mask()), 345LL * 497 - 24) << "the demo cuts its corners";
}

TEST(SkinDemo, TitleButtonsDriveTheWindow) {
    SkinDemoWindow demo;
    demo.show();
    auto click = [&](const char* name) {
        QTest::mouseClick(demo.findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton, {},
                          {10, 10});
    };
    click("xptopbuttons2");
    EXPECT_TRUE(demo.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(demo.findChild<TitleBarButtons*>(QStringLiteral("xptopbuttons2"))->value(), 3);
    EXPECT_EQ(demo.lastEvent(), QStringLiteral("xptopbuttons2 Click"));
    click("xptopbuttons2");
    EXPECT_EQ(demo.windowState(), Qt::WindowNoState);
    click("xptopbuttons1");
    EXPECT_FALSE(demo.isVisible());
}

}  // namespace
