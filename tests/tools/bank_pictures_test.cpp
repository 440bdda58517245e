// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "shippedbankrows.h"

// The pictures of the shipped bank: every one the bank names is there, every
// file there is named once, and each is a small self-contained SVG that
// renders.
namespace {

const QString kData = QStringLiteral(TEST_SOURCE_DIR "/data");

// The picture cell of each row that names one.
QStringList namedPictures() {
    QStringList out;
    for (const ShippedRow& r : shippedBankRows())
        if (!r.picture.isEmpty()) out << r.picture;
    return out;
}

QStringList svgFiles() {
    return QDir(kData + "/bank-pictures")
        .entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
}

// Why the file is not a plain self-contained SVG, or an empty string.
QString selfContainedProblem(const QByteArray& bytes) {
    static const QSet<QString> banned{"script", "image", "foreignObject", "style", "use", "a"};
    QXmlStreamReader xml(bytes);
    bool root = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString name = xml.name().toString();
        if (root) {
            if (name != QLatin1String("svg")) return QStringLiteral("the root is not svg");
            if (!xml.attributes().hasAttribute(QLatin1String("viewBox")))
                return QStringLiteral("no viewBox");
            root = false;
        }
        if (banned.contains(name)) return QStringLiteral("element ") + name;
        for (const auto& a : xml.attributes()) {
            if (a.name() == QLatin1String("href")) return QStringLiteral("a link");
            if (a.name().startsWith(QLatin1String("on"))) return QStringLiteral("an event handler");
            if (a.value().contains(QLatin1String("url("))) return QStringLiteral("a url reference");
            if (a.name() == QLatin1String("font-family") &&
                a.value() != QLatin1String("sans-serif"))
                return QStringLiteral("a named font");
        }
    }
    if (xml.hasError()) return QStringLiteral("not well-formed: ") + xml.errorString();
    return {};
}

}  // namespace

TEST(BankPictures, EveryNamedPictureExistsAndEveryFileIsNamedOnce) {
    const QStringList named = namedPictures();
    ASSERT_GE(named.size(), 40);
    QSet<QString> seen;
    for (const QString& p : named) {
        EXPECT_TRUE(p.startsWith(QLatin1String("bank-pictures/"))) << p.toStdString();
        EXPECT_TRUE(QFile::exists(kData + "/" + p)) << p.toStdString();
        EXPECT_FALSE(seen.contains(p)) << "named twice: " << p.toStdString();
        seen.insert(p);
    }
    for (const QString& f : svgFiles())
        EXPECT_TRUE(seen.contains("bank-pictures/" + f))
            << "not named by any question: " << f.toStdString();
}

TEST(BankPictures, EachIsASmallSelfContainedSvgThatRenders) {
    const QStringList files = svgFiles();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile f(kData + "/bank-pictures/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_LT(bytes.size(), 8 * 1024);
        EXPECT_EQ(selfContainedProblem(bytes), QString());
        QSvgRenderer svg(bytes);
        ASSERT_TRUE(svg.isValid());
        const QSize size = svg.defaultSize();
        EXPECT_GE(qMax(size.width(), size.height()), 200);
        EXPECT_LE(qMax(size.width(), size.height()), 400);
        QImage img(size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        svg.render(&p);
        p.end();
        // Drawn, and with more than one colour.
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4) colours.insert(img.pixel(x, y));
        EXPECT_GE(colours.size(), 3);
    }
}

TEST(BankPictures, APictureWithOutsideReferencesIsNoticed) {
    EXPECT_EQ(selfContainedProblem("<svg viewBox=\"0 0 1 1\"><rect/></svg>"), QString());
    EXPECT_NE(selfContainedProblem("<svg viewBox=\"0 0 1 1\"><image href=\"x.png\"/></svg>"),
              QString());
    EXPECT_NE(
        selfContainedProblem("<svg viewBox=\"0 0 1 1\"><rect fill=\"url(http://x/#a)\"/></svg>"),
        QString());
    EXPECT_NE(selfContainedProblem("<svg viewBox=\"0 0 1 1\"><script>x</script></svg>"), QString());
    EXPECT_NE(selfContainedProblem("<svg><rect/></svg>"), QString());
    EXPECT_NE(selfContainedProblem("<svg viewBox=\"0 0 1 1\"><rect></svg>"), QString());
    EXPECT_NE(selfContainedProblem(
                  "<svg viewBox=\"0 0 1 1\"><text font-family=\"SimHei\">停</text></svg>"),
              QString());
}
