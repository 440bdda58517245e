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
        f.canvas->make_trans(f.form.get());
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
        f.canvas->make_trans(f.form.get());
        EXPECT_EQ(f.form->mask(), QRegion(0, 0, 345, 497)) << state;
    }
}

TEST(TransColour, MagentaFormSurfaceIsCutAcrossTheTopSixRows) {
    SkinForm f;
    QPalette pal = f.form->palette();
    pal.setColor(f.form->backgroundRole(), QColor(255, 0, 255));
    f.form->setPalette(pal);
    f.canvas->make_trans(f.form.get());
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
    f.canvas->make_trans(f.form.get());
    const QRegion once = f.form->mask();
    f.canvas->make_trans(f.form.get());
    EXPECT_EQ(f.form->mask(), once) << "twice is the same as once";

    f.form->resize(200, 150);
    f.canvas->make_trans(f.form.get());
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
