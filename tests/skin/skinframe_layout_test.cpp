// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>

#include "tests/skin/skintest.h"
#include "tests/support/testenv.h"

namespace {

struct PartGeometry {
    const char* name;
    QRect geometry;  // in the coordinates of the part's own parent
};

// The Study editor's frame, 345 x 497.
const PartGeometry kStudyFrame[] = {
    {"pictop", {0, 0, 345, 29}},     {"picbottom", {0, 492, 345, 5}},
    {"picleft", {0, 29, 5, 463}},    {"picright", {340, 29, 5, 463}},
    {"imgresize7", {0, 0, 9, 9}},    {"imgresize2", {9, 0, 327, 9}},
    {"imgresize6", {336, 0, 9, 9}},  {"imgresize5", {0, 0, 9, 9}},
    {"imgresize4", {336, -4, 9, 9}}, {"lblcaption", {26, 6, 131, 18}},
    {"lblshadow", {28, 8, 131, 18}}, {"imgicon", {6, 8, 16, 16}},
};

TEST(SkinFrameLayout, StudyEditorFrameGeometry) {
    SkinForm f;
    for (const auto& p : kStudyFrame)
        EXPECT_EQ(f.part(QLatin1String(p.name))->geometry(), p.geometry) << p.name;
}

struct Hit {
    QPoint at;  // in form coordinates
    const char* zone;
};

// Who takes a press where: grips over rows 0-8, the band below them, borders,
// the bottom corner grips over the first and last nine columns.
const Hit kHits[] = {
    {{0, 0}, "imgresize7"},     {{8, 8}, "imgresize7"},     {{9, 0}, "imgresize2"},
    {{335, 8}, "imgresize2"},   {{336, 0}, "imgresize6"},   {{344, 8}, "imgresize6"},
    {{200, 9}, "pictop"},       {{344, 28}, "pictop"},      {{40, 15}, "lblcaption"},
    {{0, 29}, "picleft"},       {{4, 491}, "picleft"},      {{340, 29}, "picright"},
    {{8, 496}, "imgresize5"},   {{9, 496}, "picbottom"},    {{335, 492}, "picbottom"},
    {{336, 492}, "imgresize4"}, {{344, 496}, "imgresize4"}, {{5, 29}, "xp_canvas1"},
    {{339, 491}, "xp_canvas1"},
};

TEST(SkinFrameLayout, PressZones) {
    SkinForm f;
    for (const auto& h : kHits) {
        QWidget* w = f.form->childAt(h.at);
        ASSERT_NE(w, nullptr) << h.zone;
        EXPECT_EQ(w->objectName(), QLatin1String(h.zone)) << h.at.x() << "," << h.at.y();
    }
}

// A picture whose every pixel tells where it came from: red = column band
// (caps column by column, middle halves), blue = row.
QImage markedTitle() {
    QImage img(66, 29, QImage::Format_RGB32);
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 66; ++x) {
            const int band = x < 5 ? x : x > 60 ? x : x < 33 ? 100 : 150;
            img.setPixel(x, y, qRgb(band, 0, y * 8));
        }
    return img;
}

TEST(SkinFrameLayout, TitleBandCapsKeepTheirSizeAndTheMiddleStretches) {
    SkinForm f;
    f.setSkinPicture(QStringLiteral("imgtop1"), markedTitle());
    f.frame->refreshActive();
    const QImage& band = f.band();
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(rgb(band, x, y), qRgb(x, 0, y * 8) & 0xFFFFFF) << "left cap " << x;
            EXPECT_EQ(rgb(band, 340 + x, y), qRgb(61 + x, 0, y * 8) & 0xFFFFFF) << "right cap";
        }
    }
    // 56 middle columns become 335: the first half reaches about column 172.
    for (int x : {5, 100, 170}) EXPECT_EQ(qRed(band.pixel(x, 10)), 100) << x;
    for (int x : {175, 250, 339}) EXPECT_EQ(qRed(band.pixel(x, 10)), 150) << x;
}

TEST(SkinFrameLayout, BandPictureFollowsTheWindowState) {
    SkinForm f;
    QImage normal(66, 29, QImage::Format_RGB32), maxed = normal, changed = normal;
    normal.fill(qRgb(1, 2, 3));
    maxed.fill(qRgb(4, 5, 6));
    changed.fill(qRgb(7, 8, 9));
    f.setSkinPicture(QStringLiteral("imgtop1"), normal);
    f.setSkinPicture(QStringLiteral("imgtopmax1"), maxed);
    const struct {
        Qt::WindowState state;
        QRgb middle;
    } cases[] = {{Qt::WindowNoState, qRgb(1, 2, 3)},
                 {Qt::WindowMaximized, qRgb(4, 5, 6)},
                 {Qt::WindowMinimized, qRgb(4, 5, 6)}};  // minimised: left as it was
    for (const auto& c : cases) {
        if (c.state == Qt::WindowMinimized) f.setSkinPicture(QStringLiteral("imgtopmax1"), changed);
        f.form->setWindowState(c.state);
        f.frame->refreshActive();
        EXPECT_EQ(rgb(f.band(), 172, 14), c.middle & 0xFFFFFF) << c.state;
    }
}

TEST(SkinFrameLayout, BordersStretchTheirWholePicture) {
    SkinForm f;
    QImage side(5, 31, QImage::Format_RGB32), bottom(49, 5, QImage::Format_RGB32);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 5; ++x) side.setPixel(x, y, y < 16 ? qRgb(200, 0, 0) : qRgb(0, 0, 200));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 49; ++x)
            bottom.setPixel(x, y, x < 25 ? qRgb(0, 200, 0) : qRgb(9, 9, 9));
    f.setSkinPicture(QStringLiteral("imgleft1"), side);
    f.setSkinPicture(QStringLiteral("imgright1"), side);
    f.setSkinPicture(QStringLiteral("imgbottom1"), bottom);
    f.frame->refreshActive();
    for (const char* name : {"picleft", "picright"}) {
        const QImage& img = f.part<PictureBox>(QLatin1String(name))->image();
        EXPECT_EQ(rgb(img, 2, 200), 0xC80000u) << name;
        EXPECT_EQ(rgb(img, 2, 300), 0x0000C8u) << name;
    }
    const QImage& b = f.part<PictureBox>(QStringLiteral("picbottom"))->image();
    EXPECT_EQ(rgb(b, 150, 2), 0x00C800u);
    EXPECT_EQ(rgb(b, 200, 2), 0x090909u);
}

TEST(SkinFrameLayout, SurfaceInsideTheBordersShowsTheFrameColour) {
    SkinForm f;
    const QImage shot = f.frame->grab().toImage();
    for (QPoint p : {QPoint(5, 29), QPoint(172, 250), QPoint(339, 491)})
        EXPECT_EQ(rgb(shot, p.x(), p.y()), 0xECE9D8u);
}

TEST(SkinFrameLayout, EveryStepRunsWhenOthersCannot) {
    // Without a form the band, grip and cursor steps cannot run; without a
    // left border picture the side borders cannot. The rest still happens.
    SkinFrame lone;
    lone.findChild<QLabel*>(QStringLiteral("imgleft1"))->setPixmap({});
    lone.show();
    lone.refreshActive();
    QSignalSpy resized(&lone, &SkinFrame::Resize);
    lone.resize(200, 100);
    EXPECT_EQ(resized.count(), 1);
    EXPECT_EQ(lone.findChild<QWidget*>(QStringLiteral("picbottom"))->geometry(),
              QRect(0, 95, 200, 5));
    EXPECT_EQ(lone.findChild<QWidget*>(QStringLiteral("imgresize2"))->width(), 182);
    EXPECT_EQ(lone.findChild<QWidget*>(QStringLiteral("lblshadow"))->pos(), QPoint(28, 8));
    const QImage& bottom = lone.findChild<PictureBox*>(QStringLiteral("picbottom"))->image();
    EXPECT_NE(rgb(bottom, 100, 2), 0xECE9D8u) << "bottom border painted after the failed step";
    const QImage& band = lone.findChild<PictureBox*>(QStringLiteral("pictop"))->image();
    EXPECT_EQ(rgb(band, 100, 14), 0xECE9D8u) << "no form, so no window state to paint by";
}

TEST(SkinFrameLayout, FollowsTheFormsSize) {
    SkinForm f;
    QSignalSpy resized(f.frame, &SkinFrame::Resize);
    f.form->resize(400, 300);
    EXPECT_EQ(f.frame->size(), QSize(400, 300));
    EXPECT_EQ(f.part(QStringLiteral("imgresize6"))->x(), 391);
    EXPECT_EQ(f.part(QStringLiteral("picright"))->geometry(), QRect(395, 29, 5, 266));
    EXPECT_GE(resized.count(), 1);
}

struct CursorCase {
    bool fixed;
    Qt::WindowState state;
    bool sizing;  // zone cursors; otherwise the default arrow
};

TEST(SkinFrameLayout, ZoneCursors) {
    const char* zones[8] = {"picleft",    "picright",   "imgresize2", "picbottom",
                            "imgresize4", "imgresize5", "imgresize6", "imgresize7"};
    const Qt::CursorShape sizing[8] = {
        Qt::SizeHorCursor,   Qt::SizeHorCursor,   Qt::SizeVerCursor,   Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor};
    const CursorCase cases[] = {{false, Qt::WindowNoState, true},
                                {false, Qt::WindowMaximized, false},
                                {true, Qt::WindowNoState, false},
                                {true, Qt::WindowMaximized, false}};
    for (const auto& c : cases) {
        SkinForm f;
        f.form->setWindowState(c.state);
        f.frame->setFixedFrame(c.fixed);
        for (int code = 0; code < 8; ++code)
            EXPECT_EQ(f.part(QLatin1String(zones[code]))->cursor().shape(),
                      c.sizing ? sizing[code] : Qt::ArrowCursor)
                << zones[code] << " fixed " << c.fixed << " state " << c.state;
    }
}

TEST(SkinFrameLayout, MinimisedSizableFormKeepsItsCursors) {
    SkinForm f;
    f.form->setWindowState(Qt::WindowMinimized);
    f.frame->refreshActive();
    EXPECT_EQ(f.part(QStringLiteral("picleft"))->cursor().shape(), Qt::SizeHorCursor);
}

TEST(SkinFrameProperties, CaptionGoesToBothLabelsAndTheForm) {
    SkinForm f;
    f.frame->refreshActive();  // stops the watch timers, whose layouts would count too
    QSignalSpy changed(f.frame, &SkinFrame::PropertyChanged);
    QSignalSpy resized(f.frame, &SkinFrame::Resize);
    f.frame->setCaption(QStringLiteral("增加问题"));
    EXPECT_EQ(f.image(QStringLiteral("lblcaption"))->text(), QStringLiteral("增加问题"));
    EXPECT_EQ(f.image(QStringLiteral("lblshadow"))->text(), QStringLiteral("增加问题"));
    EXPECT_EQ(f.form->windowTitle(), QStringLiteral("增加问题"));
    EXPECT_EQ(f.frame->caption(), QStringLiteral("增加问题"));
    EXPECT_EQ(resized.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toString(), QStringLiteral("Caption"));
    f.frame->setFixedFrame(true);
    EXPECT_EQ(changed.count(), 1) << "Fixed_Single is not a stored-property change";
}

TEST(SkinFrameProperties, IconShowsInTheBandButNotOnTheForm) {
    SkinForm f;
    QPixmap big(32, 32);
    big.fill(Qt::red);
    const qint64 formIcon = f.form->windowIcon().cacheKey();
    f.frame->setIcon(big);
    QLabel* shown = f.image(QStringLiteral("imgicon"));
    EXPECT_EQ(shown->size(), QSize(16, 16));
    EXPECT_EQ(rgb(shown->grab().toImage(), 8, 8), 0xFF0000u);
    EXPECT_EQ(f.frame->icon().cacheKey(), big.cacheKey());
    EXPECT_EQ(f.form->windowIcon().cacheKey(), formIcon);
}

TEST(SkinFrameProperties, DefaultsAndCaseInsensitiveKeys) {
    SkinForm f;
    f.frame->loadDefaults();
    EXPECT_EQ(f.frame->caption(), QStringLiteral("xp_canvas1"));
    EXPECT_EQ(f.frame->icon().cacheKey(), f.image(QStringLiteral("Image1"))->pixmap().cacheKey());
    EXPECT_FALSE(f.frame->icon().isNull());
    EXPECT_FALSE(f.frame->fixedFrame());
    EXPECT_TRUE(f.frame->storedProperties().isEmpty());

    f.frame->loadProperties({{QStringLiteral("CAPTION"), QStringLiteral("题目管理")},
                             {QStringLiteral("fixed_single"), true}});
    EXPECT_EQ(f.frame->caption(), QStringLiteral("题目管理"));
    EXPECT_TRUE(f.frame->fixedFrame());
}

TEST(SkinFrameProperties, EditorsStoreOnlyWhatDiffersFromTheDefaults) {
    QPixmap managerIcon(32, 32);
    managerIcon.fill(Qt::darkGreen);
    const struct {
        QVariantMap stored;
        QStringList keys;
    } editors[] = {
        {{{QStringLiteral("Caption"), QStringLiteral("增加问题")}}, {QStringLiteral("Caption")}},
        {{{QStringLiteral("Caption"), QStringLiteral("题目管理")},
          {QStringLiteral("Icon"), managerIcon},
          {QStringLiteral("Fixed_Single"), true}},
         {QStringLiteral("Caption"), QStringLiteral("Fixed_Single"), QStringLiteral("Icon")}},
    };
    for (const auto& e : editors) {
        SkinForm saved;
        saved.frame->loadProperties(e.stored);
        const QVariantMap written = saved.frame->storedProperties();
        EXPECT_EQ(written.keys(), e.keys);
        SkinForm loaded;
        loaded.frame->loadProperties(written);
        EXPECT_EQ(loaded.frame->caption(), saved.frame->caption());
        EXPECT_EQ(loaded.frame->fixedFrame(), saved.frame->fixedFrame());
        EXPECT_EQ(loaded.frame->icon().toImage(), saved.frame->icon().toImage());
    }
}

}  // namespace
