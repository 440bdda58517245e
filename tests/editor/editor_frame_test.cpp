// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "skin/skinframe.h"
#include "tests/editor/editorfixture.h"

// The editors' frame: its icon and the see-through corners of its title band.

namespace {

int area(const QRegion& r) {
    int n = 0;
    for (const QRect& rect : r) n += rect.width() * rect.height();
    return n;
}

// The corner profile of the title pictures: 5, 3, 2, 1, 1 pixels of rows 0 to 4.
void expectCutCorners(const QWidget* form, const std::string& what) {
    const QRegion mask = form->mask();
    const int w = form->width(), h = form->height();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, w, h)) << what;
    EXPECT_EQ(area(mask), w * h - 24) << what;
    const int profile[5] = {5, 3, 2, 1, 1};
    for (int y = 0; y < 5; ++y) {
        const int n = profile[y];
        EXPECT_FALSE(mask.contains(QPoint(n - 1, y))) << what << " row " << y;
        EXPECT_TRUE(mask.contains(QPoint(n, y))) << what << " row " << y;
        EXPECT_FALSE(mask.contains(QPoint(w - n, y))) << what << " row " << y;
        EXPECT_TRUE(mask.contains(QPoint(w - n - 1, y))) << what << " row " << y;
    }
}

}  // namespace

TEST(EditorFrame, StudyShowsTheDefaultIconAndManagerItsOwn) {
    EditorFixture study;
    study.env.makePersonalList({});
    ASSERT_TRUE(study.open(EditorVariant::study()));
    auto* canvas = study.w<SkinFrame>("xp_canvas1");
    const QPixmap shown = study.w<QLabel>("imgicon")->pixmap();
    ASSERT_FALSE(shown.isNull()) << "the title band has its icon";
    EXPECT_EQ(shown.toImage(), study.w<QLabel>("Image1")->pixmap().toImage());
    EXPECT_FALSE(canvas->storedProperties().contains("Icon")) << "not stored: the default";
    EXPECT_EQ(canvas->storedProperties().keys(), QStringList({"Caption"}));

    EditorFixture manager;
    manager.env.makeBank({});
    ASSERT_TRUE(manager.open(EditorVariant::manager()));
    const QPixmap own = manager.w<QLabel>("imgicon")->pixmap();
    EXPECT_EQ(own.size(), QSize(32, 32));
    EXPECT_NE(own.toImage(), manager.w<QLabel>("Image1")->pixmap().toImage());
    // Manager's window can be resized: its frame is not a fixed one.
    EXPECT_EQ(manager.w<SkinFrame>("xp_canvas1")->storedProperties().keys(),
              QStringList({"Caption", "Icon"}));
}

TEST(EditorFrame, CornersAreCutOutOfTheWindowAtEverySize) {
    EditorFixture study;
    study.env.makePersonalList({});
    ASSERT_TRUE(study.open(EditorVariant::study()));
    expectCutCorners(study.form.get(), "Study at 345 x 497");
    study.form->resize(420, 600);
    ASSERT_EQ(study.w("xp_canvas1")->size(), QSize(420, 600));
    expectCutCorners(study.form.get(), "Study at 420 x 600");

    EditorFixture manager;
    manager.env.makeBank({});
    ASSERT_TRUE(manager.open(EditorVariant::manager()));
    expectCutCorners(manager.form.get(), "Manager");
}
