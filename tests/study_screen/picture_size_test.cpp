// SPDX-License-Identifier: GPL-3.0-or-later
// The question's picture at a size that can be read, on a 1024x768 screen:
// its height follows the text's size (capped at a third of the screen), and
// Z or a click shows it at its own size over the display, which waits
// meanwhile.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "platform/widgets/twips.h"
#include "study/picturezoom.h"
#include "study/questionpicture.h"
#include "tests/study/keysfixture.h"
#include "tests/support/picturebytes.h"

namespace {

const QString kCategory = QStringLiteral("交通信号");
const QString kQuestion = QStringLiteral("驾驶机动车在路口看到这个标志，表示什么？");
// A photo of the size the real bank has: 2000 x 1000.
const QByteArray kPhoto = PictureBytes::encoded("JPEG", 2000, 1000, Qt::darkGreen);

QuestionWindow& startWith(KeysFixture& f, const QByteArray& picture, const char* points = "12") {
    f.env.makeBank({{kCategory, QStringLiteral("1") + kQuestion, QStringLiteral("答"), picture},
                    {kCategory, QStringLiteral("2无图"), QStringLiteral("答")}});
    // The longest step: the first record stays while the test looks at it.
    f.settings(
        {{"guageword", "2"}, {"voice", "0"}, {"ctimeword", "32"}, {"FontSizeNumber", points}});
    QuestionWindow& w = f.start();
    w.move(50, 50);
    w.fitToText();
    return w;
}

QString stopCaption(QuestionWindow& w) {
    return w.mnumain()->findChild<QAction*>("mnustop")->text();
}

}  // namespace

TEST(PictureSize, HeightFollowsTheFontUpToAThirdOfTheScreen) {
    const int base = Twips::toPixels(QuestionPicture::kMaxHeightTwips);
    ASSERT_EQ(base, 160);
    struct Case {
        int points;
        QRect available;
        int height;
    } cases[] = {
        {12, {0, 0, 1024, 768}, 160},                                  // today's size
        {8, {0, 0, 1024, 768}, 160},                                   // small text keeps it
        {24, {0, 0, 1024, 2000}, 320},                                 // in proportion
        {18, {0, 0, 1024, 2000}, 240}, {24, {0, 0, 1024, 768}, 256},   // a third of the screen
        {55, {0, 0, 1024, 768}, 256},  {55, {0, 0, 1920, 4000}, 733},  // a tall screen leaves more
        {24, {0, 0, 1024, 300}, 160},  // a low screen never shrinks it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        SCOPED_TRACE(c.available.height());
        const QSize box = QuestionPicture::boxFor(c.points, c.available);
        EXPECT_EQ(box.height(), c.height);
        EXPECT_EQ(box.width(), c.available.width() - Twips::toPixels(200));
    }
}

TEST(PictureSize, DisplayDrawsAPhotoTallerBesideLargeText) {
    for (auto [points, size] : {std::pair{"12", QSize(320, 160)}, std::pair{"24", QSize(512, 256)},
                                std::pair{"55", QSize(512, 256)}}) {
        SCOPED_TRACE(points);
        KeysFixture f;
        QuestionWindow& w = startWith(f, kPhoto, points);
        ASSERT_TRUE(w.picture()->shown());
        EXPECT_EQ(w.picture()->pictureSize(), size);
        EXPECT_EQ(w.LB()->y(), Twips::toPixels(80) + size.height() + Twips::toPixels(120));
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(w.frameGeometry()));
    }
}

TEST(PictureSize, PreviewedFontSizeRefitsTheShownPicture) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, kPhoto);
    ASSERT_EQ(w.picture()->pictureSize(), QSize(320, 160));
    w.studySettings().setFontSize(18);
    EXPECT_EQ(w.picture()->pictureSize(), QSize(480, 240));
    EXPECT_GE(w.height(), 240 + w.LB()->height());
    w.studySettings().setFontSize(12);
    EXPECT_EQ(w.picture()->pictureSize(), QSize(320, 160));
}

TEST(PictureZoom, ZShowsThePictureAtItsOwnSizeAndPausesTheCycle) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, PictureBytes::encoded("PNG", 480, 240, Qt::blue));
    ASSERT_EQ(w.picture()->pictureSize(), QSize(320, 160));
    ASSERT_TRUE(w.cycle().isRunning());
    f.key(Qt::Key_Z);
    PictureZoom* zoom = w.zoom();
    ASSERT_NE(zoom, nullptr);
    ASSERT_TRUE(zoom->isVisible());
    EXPECT_EQ(zoom->geometry(), QRect(QPoint(512 - 240, 384 - 120), QSize(480, 240)));
    EXPECT_EQ(zoom->grab().toImage().pixelColor(240, 120), QColor(Qt::blue));
    EXPECT_FALSE(w.cycle().isRunning()) << "no step while the learner looks";
    EXPECT_EQ(stopCaption(w), "继续(&C)");

    QTest::keyClick(zoom, Qt::Key_Escape);
    EXPECT_FALSE(zoom->isVisible());
    EXPECT_TRUE(w.cycle().isRunning());
    EXPECT_EQ(w.cycle().pace(), StudyCycle::Pace::Running);
    EXPECT_EQ(stopCaption(w), "暂停(&P)");
}

TEST(PictureZoom, ALearnersPauseOutlastsTheZoom) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, PictureBytes::encoded("PNG", 480, 240, Qt::blue));
    f.key(Qt::Key_Space);
    ASSERT_FALSE(w.cycle().isRunning());
    f.key(Qt::Key_Z);
    ASSERT_TRUE(w.zoom()->isVisible());
    QTest::mouseClick(w.zoom(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(w.zoom()->isVisible()) << "a click closes it";
    EXPECT_FALSE(w.cycle().isRunning());
    EXPECT_EQ(w.cycle().pace(), StudyCycle::Pace::Paused);
    EXPECT_EQ(stopCaption(w), "继续(&C)");
}

TEST(PictureZoom, ACycleRunningAgainAfterAReloadWaitsAndGoesOn) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, PictureBytes::encoded("PNG", 480, 240, Qt::blue));
    f.key(Qt::Key_Space);
    w.reload();
    ASSERT_EQ(w.cycle().pace(), StudyCycle::Pace::ResumedByReload);
    ASSERT_TRUE(w.cycle().isRunning());
    f.key(Qt::Key_Z);
    ASSERT_TRUE(w.zoom()->isVisible());
    EXPECT_FALSE(w.cycle().isRunning());
    QTest::keyClick(w.zoom(), Qt::Key_Escape);
    EXPECT_TRUE(w.cycle().isRunning()) << "it ran before the zoom";
    EXPECT_EQ(stopCaption(w), "暂停(&P)");
}

TEST(PictureZoom, AClickOnThePictureOpensItAndOnTheTextDoesNot) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, PictureBytes::encoded("PNG", 480, 240, Qt::blue));
    QTest::mouseClick(w.LB(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(!w.zoom() || !w.zoom()->isVisible()) << "the text is not the picture";
    QTest::mouseClick(&w, Qt::LeftButton, {}, w.picture()->geometry().center());
    ASSERT_NE(w.zoom(), nullptr);
    EXPECT_TRUE(w.zoom()->isVisible());
    EXPECT_FALSE(w.cycle().isRunning());
    QTest::keyClick(w.zoom(), Qt::Key_Escape);
    EXPECT_TRUE(w.cycle().isRunning());
}

TEST(PictureZoom, LargePicturesFitTheScreen) {
    {
        KeysFixture f;
        QuestionWindow& w = startWith(f, kPhoto);
        f.key(Qt::Key_Z);
        ASSERT_TRUE(w.zoom() && w.zoom()->isVisible());
        EXPECT_EQ(w.zoom()->geometry(), QRect(0, 128, 1024, 512)) << "the screen, aspect kept";
        QTest::keyClick(w.zoom(), Qt::Key_Escape);
    }
    {
        // A sign of 240 units, drawn 160 high on the display.
        KeysFixture f;
        QuestionWindow& w = startWith(
            f, readFile(QStringLiteral(TEST_SOURCE_DIR "/data/bank-pictures/sign-no-entry.svg")));
        ASSERT_EQ(w.picture()->pictureSize(), QSize(160, 160));
        f.key(Qt::Key_Z);
        ASSERT_TRUE(w.zoom() && w.zoom()->isVisible());
        EXPECT_EQ(w.zoom()->pictureSize(), QSize(240, 240));
        EXPECT_EQ(w.zoom()->geometry().topLeft(), QPoint(512 - 120, 384 - 120));
        QTest::keyClick(w.zoom(), Qt::Key_Escape);
    }
}

TEST(PictureZoom, ZWithoutAPictureSaysSo) {
    KeysFixture f;
    QuestionWindow& w = startWith(f, {});
    f.key(Qt::Key_Z);
    EXPECT_TRUE(!w.zoom() || !w.zoom()->isVisible());
    EXPECT_EQ(f.note(), "这道题没有图片");
    EXPECT_TRUE(w.cycle().isRunning());
}
