// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the skin pictures into skin/art. The committed PNGs are what the build
// uses; rerun this (target skinartgen) only when the artwork changes.
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

namespace {

const QColor kKey(255, 0, 255);
const QColor kSurface(236, 233, 216);

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// A look is a title gradient plus the column profile of the borders, from the
// outer edge inwards.
struct Look {
    QColor titleTop, titleHigh, titleMid, titleBottom, titleEdge;
    QColor border[5];
};

const Look kActive{QColor(0, 72, 224),   QColor(61, 149, 255), QColor(10, 98, 232),
                   QColor(0, 70, 206),   QColor(0, 38, 146),
                   {QColor(0, 38, 146), QColor(0, 86, 230), QColor(36, 120, 246),
                    QColor(0, 86, 230), QColor(0, 58, 178)}};

// The inactive look keeps the shapes but drains the colour, so an inactive
// window reads as clearly dimmer at a glance.
Look dimmed(const Look& l) {
    const QColor grey(200, 208, 226);
    auto d = [&](const QColor& c) { return mix(c, grey, 0.62); };
    Look r{d(l.titleTop), d(l.titleHigh), d(l.titleMid), d(l.titleBottom), d(l.titleEdge), {}};
    for (int i = 0; i < 5; ++i) r.border[i] = d(l.border[i]);
    return r;
}

QColor titleRow(const Look& l, int y, int h) {
    if (y == 0) return l.titleTop;
    if (y <= 2) return mix(l.titleHigh, l.titleMid, (y - 1) / 2.0);
    if (y == h - 1) return l.titleEdge;
    return mix(l.titleMid, l.titleBottom, double(y - 3) / (h - 4));
}

// The corner profile the window region follows: key pixels per row from the
// outer edge.
constexpr int kCorner[5] = {5, 3, 2, 1, 1};

QImage title(const Look& l, bool rounded) {
    QImage img(66, 29, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixelColor(x, y, titleRow(l, y, img.height()));
    // Darker outer columns tie the band into the side borders below it.
    for (int y = 1; y < img.height(); ++y) {
        img.setPixelColor(0, y, l.border[0]);
        img.setPixelColor(img.width() - 1, y, l.border[0]);
    }
    if (rounded) {
        for (int y = 0; y < 5; ++y)
            for (int i = 0; i < kCorner[y]; ++i) {
                img.setPixelColor(i, y, kKey);
                img.setPixelColor(img.width() - 1 - i, y, kKey);
            }
        // The first opaque pixel of each corner row is the outline.
        for (int y = 0; y < 5; ++y) {
            img.setPixelColor(kCorner[y], y, l.border[0]);
            img.setPixelColor(img.width() - 1 - kCorner[y], y, l.border[0]);
        }
    }
    return img;
}

QImage sideBorder(const Look& l, bool left) {
    QImage img(5, 31, QImage::Format_RGB32);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 31; ++y) img.setPixelColor(left ? x : 4 - x, y, l.border[x]);
    return img;
}

QImage bottomBorder(const Look& l) {
    QImage img(49, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 49; ++x) img.setPixelColor(x, 4 - y, l.border[y]);
    for (int y = 0; y < 5; ++y) {
        img.setPixelColor(0, y, l.border[0]);
        img.setPixelColor(48, y, l.border[0]);
    }
    return img;
}

// Steering wheel, the default window icon.
QImage defaultIcon() {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(255, 214, 90), 1.8));
    p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
    p.drawLine(QPointF(8, 8), QPointF(8, 13.5));
    p.setBrush(QColor(255, 214, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(6, 6, 4, 4));
    return img;
}

// One command-button face, 18 x 21, with a 3-pixel border band on every side
// (the part that is never stretched).
struct Face {
    QColor outline, top, bottom;
    QColor inner[2];  // the two rings inside the outline; invalid = plain face
};

void drawFace(QImage& sheet, int cell, const Face& f) {
    const int x0 = cell * 18;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x)
            sheet.setPixelColor(x0 + x, y, mix(f.top, f.bottom, y / 20.0));
    for (int x = 0; x < 18; ++x) {
        sheet.setPixelColor(x0 + x, 0, f.outline);
        sheet.setPixelColor(x0 + x, 20, f.outline);
    }
    for (int y = 0; y < 21; ++y) {
        sheet.setPixelColor(x0, y, f.outline);
        sheet.setPixelColor(x0 + 17, y, f.outline);
    }
    if (f.inner[0].isValid()) {
        for (int ring = 0; ring < 2; ++ring) {
            const QColor c = f.inner[ring];
            const int a = 1 + ring, bx = 16 - ring, by = 19 - ring;
            for (int x = a; x <= bx; ++x) {
                sheet.setPixelColor(x0 + x, a, c);
                sheet.setPixelColor(x0 + x, by, c);
            }
            for (int y = a; y <= by; ++y) {
                sheet.setPixelColor(x0 + a, y, c);
                sheet.setPixelColor(x0 + bx, y, c);
            }
        }
    }
    // Rounded corners: the outermost pixel shows the window surface and the
    // next two blend the outline into it.
    const QPoint corners[4] = {{0, 0}, {17, 0}, {0, 20}, {17, 20}};
    for (const QPoint c : corners) {
        const int sx = c.x() == 0 ? 1 : -1, sy = c.y() == 0 ? 1 : -1;
        sheet.setPixelColor(x0 + c.x(), c.y(), kSurface);
        sheet.setPixelColor(x0 + c.x() + sx, c.y(), mix(f.outline, kSurface, 0.45));
        sheet.setPixelColor(x0 + c.x(), c.y() + sy, mix(f.outline, kSurface, 0.45));
        sheet.setPixelColor(x0 + c.x() + sx, c.y() + sy, f.outline);
    }
}

QImage faceSheet() {
    QImage sheet(90, 21, QImage::Format_RGB32);
    const QColor navy(0, 60, 116);
    drawFace(sheet, 0, {navy, QColor(255, 255, 255), QColor(226, 223, 211), {}});
    drawFace(sheet, 1, {navy, QColor(205, 202, 190), QColor(228, 226, 218), {}});
    drawFace(sheet, 2, {QColor(201, 199, 186), QColor(247, 246, 240), QColor(240, 238, 230), {}});
    drawFace(sheet, 3, {navy, QColor(255, 255, 255), QColor(226, 223, 211),
                        {QColor(255, 240, 207), QColor(248, 179, 48)}});
    drawFace(sheet, 4, {navy, QColor(255, 255, 255), QColor(226, 223, 211),
                        {QColor(206, 231, 255), QColor(105, 130, 238)}});
    return sheet;
}

enum class Glyph { Close, Maximise, Minimise, Restore };

// A title button cell: rounded square with a white outline and the glyph.
// The few pixels outside the rounding carry a colour halfway between the
// active and the inactive band at the rows where the buttons sit (5 to 25),
// since the sheets have no transparency and serve both looks.
// The square glyphs as filled bars, in pixels of a 21 x 21 cell.
std::vector<QRect> glyphBars(Glyph g) {
    switch (g) {
        case Glyph::Maximise:  // a window: thick top bar, thin outline
            return {{5, 5, 11, 3}, {5, 5, 1, 11}, {15, 5, 1, 11}, {5, 15, 11, 1}};
        case Glyph::Minimise:
            return {{5, 13, 7, 3}};
        case Glyph::Restore:  // the visible parts of a back window, then a front one
            return {{8, 4, 9, 2}, {16, 4, 1, 8}, {14, 11, 3, 1}, {8, 4, 1, 3},
                    {4, 8, 9, 3}, {4, 8, 1, 9}, {12, 8, 1, 9}, {4, 16, 9, 1}};
        case Glyph::Close:
            break;
    }
    return {};
}

void drawTopCell(QImage& sheet, int cell, QColor face, Glyph g, double light, double glyphFade) {
    QImage img(21, 21, QImage::Format_RGB32);
    const Look inactive = dimmed(kActive);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            img.setPixelColor(x, y, mix(titleRow(kActive, y + 5, 29), titleRow(inactive, y + 5, 29), 0.5));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = light >= 0 ? mix(face, Qt::white, light) : mix(face, Qt::black, -light);
    QLinearGradient grad(0, 0, 0, 21);
    grad.setColorAt(0, mix(base, Qt::white, 0.35));
    grad.setColorAt(0.5, base);
    grad.setColorAt(1, mix(base, Qt::black, 0.18));
    p.setBrush(grad);
    p.setPen(QPen(mix(Qt::white, base, glyphFade * 0.5), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 20, 20), 2.5, 2.5);
    const QColor ink = mix(Qt::white, base, glyphFade);
    p.setRenderHint(QPainter::Antialiasing, g == Glyph::Close);
    if (g == Glyph::Close) {
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(15, 15));
        p.drawLine(QPointF(15, 6), QPointF(6, 15));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (const QRect& r : glyphBars(g)) p.drawRect(r);
    }
    p.end();
    QPainter s(&sheet);
    s.drawImage(cell * 21, 0, img);
}

QImage topSheet(QColor face, Glyph g) {
    QImage sheet(84, 21, QImage::Format_RGB32);
    drawTopCell(sheet, 0, face, g, 0.0, 0.0);
    drawTopCell(sheet, 1, face, g, 0.28, 0.0);
    drawTopCell(sheet, 2, face, g, -0.30, 0.45);
    // Washed out: pale face, glyph barely there.
    drawTopCell(sheet, 3, mix(face, QColor(214, 220, 236), 0.7), g, 0.15, 0.55);
    return sheet;
}

bool save(const QDir& dir, const QString& name, const QImage& img, bool palette) {
    const QImage out = palette ? img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither |
                                                                                  Qt::AvoidDither)
                               : img.convertToFormat(QImage::Format_RGB888);
    const bool ok = out.save(dir.filePath(name + QStringLiteral(".png")));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(name));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: skinartgen <output folder>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    const Look looks[2] = {kActive, dimmed(kActive)};
    bool ok = true;
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        ok &= save(dir, QStringLiteral("imgtop") + n, title(looks[i], true), true);
        ok &= save(dir, QStringLiteral("imgtopmax") + n, title(looks[i], false), true);
        ok &= save(dir, QStringLiteral("imgleft") + n, sideBorder(looks[i], true), true);
        ok &= save(dir, QStringLiteral("imgright") + n, sideBorder(looks[i], false), true);
        ok &= save(dir, QStringLiteral("imgbottom") + n, bottomBorder(looks[i]), true);
    }
    QImage icon = defaultIcon();
    ok &= icon.save(dir.filePath(QStringLiteral("Image1.png")));
    ok &= save(dir, QStringLiteral("cmdfaces"), faceSheet(), true);
    const QColor red(226, 72, 36), blue(34, 104, 238);
    ok &= save(dir, QStringLiteral("topclose"), topSheet(red, Glyph::Close), false);
    ok &= save(dir, QStringLiteral("topmax"), topSheet(blue, Glyph::Maximise), false);
    ok &= save(dir, QStringLiteral("topmin"), topSheet(blue, Glyph::Minimise), false);
    ok &= save(dir, QStringLiteral("toprestore"), topSheet(blue, Glyph::Restore), false);
    return ok ? 0 : 1;
}
