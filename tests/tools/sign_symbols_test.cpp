// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// A road sign's symbol stays on the sign's field, clear of its border, as on
// a real sign: an arrowhead or a cliff that runs into the border reads as
// part of the frame.
namespace {

const QString kPictures = QStringLiteral(TEST_SOURCE_DIR "/data/bank-pictures");

// The shipped signs draw their frame first, the field last among the frame's
// shapes, then the symbol. Warning signs: yellow rim, black border, yellow
// field; mandatory signs: white rim, blue field. -1: not a sign of those kinds.
int fieldIndex(const QDomElement& root) {
    const QDomNodeList kids = root.childNodes();
    QList<QDomElement> shapes;
    for (int i = 0; i < kids.size(); ++i)
        if (kids.at(i).isElement()) shapes << kids.at(i).toElement();
    if (shapes.size() < 3) return -1;
    if (shapes[0].tagName() == QLatin1String("polygon") &&
        shapes[0].attribute(QStringLiteral("fill")) == QLatin1String("#ffcd00"))
        return 2;
    if (shapes[1].tagName() == QLatin1String("circle") &&
        shapes[1].attribute(QStringLiteral("fill")) == QLatin1String("#0055a5"))
        return 1;
    return -1;
}

// The picture with only the top-level shapes from `first` to `last`.
QImage renderShapes(const QDomDocument& doc, int first, int last) {
    QDomDocument part = doc.cloneNode(true).toDocument();
    QDomElement root = part.documentElement();
    QList<QDomNode> shapes;
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling())
        if (n.isElement()) shapes << n;
    for (int i = 0; i < shapes.size(); ++i)
        if (i < first || i > last) root.removeChild(shapes[i]);
    QSvgRenderer svg(part.toByteArray());
    QImage img(svg.defaultSize(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

// Symbol pixels that are not well inside the field: the field must cover a
// pixel and every pixel `margin` away from it, so some field shows between
// the symbol and the border.
int pixelsOffTheField(const QImage& field, const QImage& symbol, int margin) {
    auto onField = [&](int x, int y) {
        return field.rect().contains(x, y) && qAlpha(field.pixel(x, y)) == 255;
    };
    int off = 0;
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x) {
            if (qAlpha(symbol.pixel(x, y)) < 128) continue;
            bool inside = true;
            for (int dy = -margin; dy <= margin && inside; dy += margin)
                for (int dx = -margin; dx <= margin && inside; dx += margin)
                    inside = onField(x + dx, y + dy);
            off += !inside;
        }
    return off;
}

// How many symbol pixels of the picture run off its field; -1: not a sign of
// a kind checked here.
int offFieldPixels(const QByteArray& bytes) {
    QDomDocument doc;
    if (!doc.setContent(bytes)) return -1;
    const int field = fieldIndex(doc.documentElement());
    if (field < 0) return -1;
    return pixelsOffTheField(renderShapes(doc, field, field), renderShapes(doc, field + 1, 999), 2);
}

QByteArray readPicture(const QString& name) {
    QFile f(kPictures + "/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(SignSymbols, EveryWarningAndMandatorySymbolStaysOnItsField) {
    int checked = 0;
    const QStringList signs =
        QDir(kPictures).entryList({QStringLiteral("sign-*.svg")}, QDir::Files, QDir::Name);
    for (const QString& name : signs) {
        const int off = offFieldPixels(readPicture(name));
        if (off < 0) continue;
        ++checked;
        EXPECT_EQ(off, 0) << name.toStdString();
    }
    EXPECT_GE(checked, 15) << "the warning and mandatory signs are all found";
}

TEST(SignSymbols, ASymbolOnTheBorderIsNoticed) {
    const QByteArray frame =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"240\" height=\"240\" "
        "viewBox=\"0 0 240 240\">"
        "<circle cx=\"120\" cy=\"120\" r=\"116\" fill=\"#ffffff\"/>"
        "<circle cx=\"120\" cy=\"120\" r=\"112\" fill=\"#0055a5\"/>";
    EXPECT_EQ(offFieldPixels(frame + "<rect x=\"100\" y=\"100\" width=\"40\" height=\"40\" "
                                     "fill=\"#ffffff\"/></svg>"),
              0);
    EXPECT_GT(offFieldPixels(frame + "<rect x=\"100\" y=\"2\" width=\"40\" height=\"40\" "
                                     "fill=\"#ffffff\"/></svg>"),
              0);
    EXPECT_EQ(offFieldPixels("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 9 9\">"
                             "<rect width=\"9\" height=\"9\"/></svg>"),
              -1);
}
