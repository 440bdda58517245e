// SPDX-License-Identifier: GPL-3.0-or-later
// The question's picture on a screen of device pixel ratio 2: drawn with
// twice the pixels in the same logical place, so it stays sharp.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>

#include "study/questionpicture.h"
#include "tests/study/studyfixture.h"

namespace {
const QString kCategory = QStringLiteral("交通信号");

QuestionWindow& startWith(StudyFixture& f, const QByteArray& picture) {
    f.env.makeBank(
        {{kCategory, QStringLiteral("这个标志表示什么？"), QStringLiteral("禁止驶入"), picture}});
    f.settings({{"guageword", "2"}, {"voice", "0"}});
    return f.start();
}
}  // namespace

TEST(PictureHiDpi, ScreenHasRatioTwo) {
    StudyFixture f;
    QuestionWindow& w = f.start();
    ASSERT_EQ(w.devicePixelRatioF(), 2.0);
}

TEST(PictureHiDpi, SvgIsRenderedAtTheDevicePixelRatio) {
    StudyFixture f;
    QuestionWindow& w = startWith(
        f, readFile(QStringLiteral(TEST_SOURCE_DIR "/data/bank-pictures/sign-no-entry.svg")));
    const QuestionPicture* p = w.picture();
    ASSERT_TRUE(p->shown());
    EXPECT_EQ(p->pictureSize(), QSize(160, 160));
    EXPECT_EQ(p->image().size(), QSize(320, 320));
    EXPECT_EQ(p->image().devicePixelRatio(), 2.0);
    EXPECT_EQ(p->geometry().size(), QSize(160, 160));
}

TEST(PictureHiDpi, BitmapIsScaledToDevicePixels) {
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    StudyFixture f;
    QuestionWindow& w = startWith(f, bytes);
    const QuestionPicture* p = w.picture();
    ASSERT_TRUE(p->shown());
    EXPECT_EQ(p->pictureSize(), QSize(320, 160));
    EXPECT_EQ(p->image().size(), QSize(640, 320));
    EXPECT_GE(w.LB()->width(), 320) << "the text is at least as wide as the picture";
}
