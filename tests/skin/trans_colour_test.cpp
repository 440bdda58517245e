// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/trans_colour.h"

#include "tests/skin/skintest.h"

namespace {

// Key pixels per row from each outer edge in the rounded title pictures.
constexpr int kProfile[5] = {5, 3, 2, 1, 1};

TEST(TransColour, NormalFormLosesTheTwelvePixelsOfEachTopCorner) {
    for (const char* look : {"imgtop1", "imgtop2"}) {
        SkinForm f;
        f.image(QStringLiteral("imgtop"))->setPixmap(f.image(QLatin1String(look))->pixmap());
        f.frame->cutCorners(f.form.get());
        const QRegion mask = f.form->mask();
        EXPECT_EQ(regionArea(mask), 345LL * 497 - 24) << look;
        for (int y = 0; y < 7; ++y) {
            const int cut = y < 5 ? kProfile[y] : 0;
            for (int x = 0; x < 345; ++x)
                ASSERT_EQ(mask.contains(QPoint(x, y)), x >= cut && x < 345 - cut)
                    << look << " at " << x << "," << y;
        }
    }
}

TEST(TransColour, MaximisedOrMinimisedFormKeepsTheFullRectangle) {
    for (auto state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        SkinForm f;
        f.form->setWindowState(state);
        f.frame->cutCorners(f.form.get());
        EXPECT_EQ(f.form->mask(), QRegion(0, 0, 345, 497)) << state;
    }
}

TEST(TransColour, MagentaFormSurfaceIsCutAcrossTheTopSixRows) {
    SkinForm f;
    QPalette pal = f.form->palette();
    pal.setColor(f.form->backgroundRole(), QColor(255, 0, 255));
    f.form->setPalette(pal);
    f.frame->cutCorners(f.form.get());
    const QRegion mask = f.form->mask();
    // The caps cover columns 0-4 and 340-344 and only their corners are key;
    // between them all six rows show the surface.
    EXPECT_EQ(regionArea(mask), 345LL * 497 - 24 - 6 * 335);
    EXPECT_FALSE(mask.contains(QPoint(172, 5)));
    EXPECT_TRUE(mask.contains(QPoint(172, 6))) << "row 6 is not scanned";
    EXPECT_TRUE(mask.contains(QPoint(2, 5)));
}

TEST(TransColour, ANewCallReplacesTheOldRegion) {
    SkinForm f;
    f.frame->cutCorners(f.form.get());
    const QRegion once = f.form->mask();
    f.frame->cutCorners(f.form.get());
    EXPECT_EQ(f.form->mask(), once) << "twice is the same as once";

    f.form->resize(200, 150);
    f.frame->cutCorners(f.form.get());
    EXPECT_EQ(f.form->mask().boundingRect(), QRect(0, 0, 200, 150));
    EXPECT_EQ(regionArea(f.form->mask()), 200LL * 150 - 24);
}

TEST(TransColour, CutRegionReadsTheGivenSurfaceOnly) {
    QWidget form;
    form.resize(40, 20);
    QImage surface(40, 20, QImage::Format_RGB32);
    surface.fill(Qt::white);
    const QPoint keyed[] = {{0, 0}, {39, 5}, {20, 3}};
    for (QPoint p : keyed) surface.setPixel(p, qRgb(255, 0, 255));
    surface.setPixel(10, 6, qRgb(255, 0, 255));  // below the scanned rows
    surface.setPixel(11, 2, qRgb(254, 0, 255));  // near the key is not the key
    trans_colour::cut_region(&form, surface, qRgb(255, 0, 255));
    EXPECT_EQ(regionArea(form.mask()), 40 * 20 - 3);
    for (QPoint p : keyed) EXPECT_FALSE(form.mask().contains(p));
}

}  // namespace

int keyPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += rgb(img, x, y) == 0xFF00FF;
    return n;
}

// Where the window region is not honoured (top-level windows on Wayland) the
// drawing alone decides what the corners show: never the key colour.
TEST(TransColour, TheDrawnFrameShowsNoKeyColourInEitherLook) {
    for (const char* look : {"imgtop1", "imgtop2"}) {
        SkinForm f;
        ASSERT_EQ(keyPixels(f.image(QLatin1String(look))->pixmap().toImage()), 24) << look;
        f.image(QStringLiteral("imgtop"))->setPixmap(f.image(QLatin1String(look))->pixmap());
        f.frame->setCaption(QStringLiteral("题目管理"));  // a layout
        EXPECT_EQ(keyPixels(f.band()), 0) << look;
        for (int y = 0; y < 5; ++y)
            for (int x : {0, 344})
                EXPECT_EQ(rgb(f.band(), x, y), SkinFrame::kSurfaceColour & 0xFFFFFF)
                    << look << " at " << x << "," << y;
        f.form->clearMask();  // what the screen shows without the region
        EXPECT_EQ(keyPixels(f.form->grab().toImage()), 0) << look;
        f.frame->cutCorners(f.form.get());
        EXPECT_EQ(regionArea(f.form->mask()), 345LL * 497 - 24) << "the region still cuts them";
    }
}

TEST(TransColour, WithoutKeyRepaintsTheKeyPixelsOnly) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(qRgb(254, 0, 255));
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    picture.setPixel(3, 1, qRgb(255, 0, 255));
    const QImage out =
        trans_colour::without_key(QPixmap::fromImage(picture), qRgb(255, 0, 255), QColor(1, 2, 3))
            .toImage();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool key = (x == 0 && y == 0) || (x == 3 && y == 1);
            EXPECT_EQ(rgb(out, x, y), key ? 0x010203u : 0xFE00FFu) << x << "," << y;
        }
    QImage white(3, 3, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QPixmap plain = QPixmap::fromImage(white);
    EXPECT_EQ(trans_colour::without_key(plain, 0xFFFF00FF, Qt::white).cacheKey(), plain.cacheKey())
        << "a picture without key colour is drawn as it is";
}
