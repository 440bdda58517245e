// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "questionbank/picturedecoder.h"
#include "tests/support/picturebytes.h"

namespace {
const QSize kBox(320, 160);

void expectRefused(const QByteArray& bytes, const char* what, const char* reason) {
    const auto r = PictureDecoder::decode(bytes, kBox, 1.0);
    EXPECT_FALSE(r.ok()) << what;
    EXPECT_TRUE(r.image.isNull()) << what;
    EXPECT_TRUE(r.error.contains(QString::fromUtf8(reason)))
        << what << ": " << r.error.toStdString();
}
}  // namespace

TEST(PictureDecoder, EachFormatFitsTheBoxWithItsAspect) {
    struct Case {
        QByteArray bytes;
        const char* format;
    };
    const Case cases[] = {{PictureBytes::encoded("PNG", 800, 400), "png"},
                          {PictureBytes::encoded("JPEG", 800, 400), "jpeg"},
                          {PictureBytes::encoded("WEBP", 800, 400), "webp"},
                          {PictureBytes::gif(800, 400, 1), "gif"}};
    for (const Case& c : cases) {
        const auto r = PictureDecoder::decode(c.bytes, kBox, 1.0);
        ASSERT_TRUE(r.ok()) << c.format << ": " << r.error.toStdString();
        EXPECT_EQ(r.format, c.format);
        EXPECT_EQ(r.naturalSize, QSize(800, 400)) << c.format;
        EXPECT_EQ(r.image.size(), QSize(320, 160)) << c.format;
        EXPECT_EQ(r.image.devicePixelRatio(), 1.0) << c.format;
    }
}

TEST(PictureDecoder, HighDpiGetsDevicePixelsAndSmallBitmapsAreNotEnlarged) {
    const auto png = PictureDecoder::decode(PictureBytes::encoded("PNG", 800, 400), kBox, 2.0);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.image.size(), QSize(640, 320));
    EXPECT_EQ(png.image.deviceIndependentSize(), QSizeF(320, 160));

    const auto small = PictureDecoder::decode(PictureBytes::encoded("PNG", 40, 20), kBox, 2.0);
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.image.deviceIndependentSize(), QSizeF(40, 20));
    EXPECT_EQ(small.image.size(), QSize(80, 40));

    const auto fit = PictureDecoder::decode(PictureBytes::encoded("PNG", 40, 20), kBox, 1.0,
                                            PictureDecoder::Scaling::Fit);
    EXPECT_EQ(fit.image.size(), QSize(320, 160));
}

TEST(PictureDecoder, SvgIsRenderedAtTheDevicePixelRatio) {
    const auto r = PictureDecoder::decode(PictureBytes::svgSign(), QSize(160, 160), 2.0,
                                          PictureDecoder::Scaling::Fit);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.format, "svg");
    EXPECT_EQ(r.naturalSize, QSize(100, 100));
    EXPECT_EQ(r.image.size(), QSize(320, 320));
    EXPECT_EQ(r.image.deviceIndependentSize(), QSizeF(160, 160));
    // The red ring is drawn, sharp at device pixels: 10 units of stroke at 3.2 px per unit.
    EXPECT_EQ(QColor(r.image.pixel(160, 6 * 16 / 5 + 16)).red() > 200, true);
    EXPECT_EQ(qAlpha(r.image.pixel(2, 2)), 0) << "corners stay transparent";
}

TEST(PictureDecoder, BadBytesAreRefusedWithAReason) {
    expectRefused({}, "nothing", "没有图片");
    expectRefused("just some words, not a picture", "text", "不是 PNG");
    expectRefused(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(500, 'z'), "png magic then junk",
                  "图片");
    QByteArray cut = PictureBytes::encoded("JPEG", 200, 200);
    expectRefused(cut.left(20), "jpeg cut short", "图片");
    expectRefused("BM" + QByteArray(100, '\0'), "BMP is not one of the five", "不是 PNG");
}

TEST(PictureDecoder, AHundredMegabyteBlobIsRefusedUnparsed) {
    QByteArray huge(100 * 1024 * 1024, '\0');
    huge.replace(0, 8, QByteArray("\x89PNG\r\n\x1a\n", 8));
    expectRefused(huge, "100 MB", "图片过大");
}

TEST(PictureDecoder, DeclaredGiantSizesAreRefusedBeforeDecoding) {
    expectRefused(PictureBytes::pngDeclaring(50000, 50000), "png 50000 x 50000", "尺寸过大");
    expectRefused(PictureBytes::gif(50000, 50000, 1), "gif 50000 x 50000", "尺寸过大");
    expectRefused(PictureBytes::pngDeclaring(16000, 16000),
                  "png within the side limit, over the memory limit", "尺寸过大");
}

TEST(PictureDecoder, AGifOfThousandsOfFramesGivesItsFirstFrame) {
    const auto r = PictureDecoder::decode(PictureBytes::gif(2, 2, 20000), kBox, 1.0);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.image.size(), QSize(2, 2));
}

TEST(PictureDecoder, DangerousSvgIsRefused) {
    const QByteArray head =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "viewBox=\"0 0 10 10\">";
    expectRefused(head + "<g id=\"a\"><use xlink:href=\"#a\"/></g></svg>", "use of its own parent",
                  "自身");
    expectRefused(head + "<use id=\"u\" href=\"#u\"/></svg>", "use of itself", "自身");
    expectRefused(head.left(head.size() - 1) + " id=\"root\"><use href=\"#root\"/></svg>",
                  "use of the root", "自身");
    expectRefused(
        head + "<g id=\"a\"><use href=\"#b\"/></g><g id=\"b\"><use href=\"#a\"/></g></svg>",
        "two groups using each other", "自身");
    // Ten levels, each using the level below ten times: 10^10 elements drawn.
    QByteArray bomb = head + "<defs><rect id=\"l0\" width=\"1\" height=\"1\"/>";
    for (int level = 1; level <= 10; ++level) {
        bomb += "<g id=\"l" + QByteArray::number(level) + "\">";
        for (int i = 0; i < 10; ++i)
            bomb += "<use href=\"#l" + QByteArray::number(level - 1) + "\"/>";
        bomb += "</g>";
    }
    expectRefused(bomb + "</defs><use href=\"#l10\"/></svg>", "use bomb", "过多");
    expectRefused(head + "<use href=\"other.svg#x\"/></svg>", "external use", "外部文件");
    expectRefused(head + "<image href=\"file:///etc/passwd\" width=\"5\" height=\"5\"/></svg>",
                  "external image", "外部文件");
    expectRefused(head + "<image href=\"data:image/svg+xml;base64," + head.toBase64() +
                      "\" width=\"5\" height=\"5\"/></svg>",
                  "embedded svg", "不是位图");
    expectRefused(
        "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;\">]>" +
            head + "<text>&b;</text></svg>",
        "entities", "实体");
    QByteArray deep = head;
    for (int i = 0; i < 5000; ++i) deep += "<g>";
    for (int i = 0; i < 5000; ++i) deep += "</g>";
    expectRefused(deep + "</svg>", "deep nesting", "嵌套过深");
    expectRefused(head + "<rect width=\"1\"", "broken xml", "SVG");
    expectRefused(QByteArray(3 * 1024 * 1024 - head.size(), ' ').prepend(head) + "</svg>",
                  "3 MB of SVG", "过大");
}

TEST(PictureDecoder, HugeSvgSizesAreDrawnWithinTheBox) {
    const auto r = PictureDecoder::decode(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"50000000\" height=\"50000000\">"
        "<rect width=\"50000000\" height=\"50000000\" fill=\"blue\"/></svg>",
        kBox, 2.0);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.image.size(), QSize(320, 320));
    const auto png =
        PictureDecoder::decode(PictureBytes::encoded("PNG", 4000, 10), QSize(100000, 100000), 8.0);
    ASSERT_TRUE(png.ok());
    EXPECT_LE(png.image.width(), PictureDecoder::kMaxRenderSide);
}

TEST(PictureDecoder, EmbeddedBitmapsInSvgAreAllowed) {
    const QByteArray png = PictureBytes::encoded("PNG", 4, 4);
    const auto r = PictureDecoder::decode(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><image width=\"10\" "
        "height=\"10\" "
        "href=\"data:image/png;base64," +
            png.toBase64() + "\"/></svg>",
        kBox, 1.0);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
}

TEST(PictureDecoder, FormatAndExtensionOfEachKind) {
    EXPECT_EQ(PictureDecoder::format(PictureBytes::encoded("JPEG", 2, 2)), "jpeg");
    EXPECT_EQ(PictureDecoder::extension("jpeg"), "jpg");
    EXPECT_EQ(PictureDecoder::extension("svg"), "svg");
    EXPECT_EQ(PictureDecoder::format("<?xml version=\"1.0\"?>\n<!-- a sign -->\n<svg/>"), "svg");
    EXPECT_EQ(PictureDecoder::format("<html><svg/></html>"), "");
}

TEST(PictureDecoder, NarrowPicturesStayInsideTheBoxAfterRounding) {
    // 10 x 100 fitted into 96 x 96 at 1.5: 14 x 144 pixels, whose ratio
    // must come from the height, or the picture would stand 99 px tall.
    const QByteArray narrow =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 100\" width=\"10\" "
        "height=\"100\">"
        "<rect width=\"10\" height=\"100\"/></svg>";
    for (const QByteArray& bytes : {narrow, PictureBytes::encoded("PNG", 10, 100)}) {
        const auto r =
            PictureDecoder::decode(bytes, QSize(96, 96), 1.5, PictureDecoder::Scaling::Fit);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_LE(r.image.deviceIndependentSize().height(), 96.0);
        EXPECT_LE(r.image.deviceIndependentSize().width(), 96.0);
    }
    const auto hair =
        PictureDecoder::decode(PictureBytes::encoded("PNG", 1, 4000), QSize(320, 160), 1.0);
    ASSERT_TRUE(hair.ok());
    EXPECT_EQ(hair.image.deviceIndependentSize(), QSizeF(1, 160));
}
