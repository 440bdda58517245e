// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real, decodable pictures of a chosen size in bytes for the benchmarks:
// photo-like JPEGs (smooth colour fields with fine grain) and noisy PNGs.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

namespace PictureMaker {

inline QByteArray encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// A width x height JPEG of about `target` bytes (never more), its quality
// found by bisection.
inline QByteArray jpeg(QRandomGenerator& random, QSize size, int target) {
    QImage coarse(size / 24 + QSize(2, 2), QImage::Format_RGB32);
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x)
            coarse.setPixel(x, y, random.generate() | 0xFF000000);
    QImage image = coarse.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(random.bounded(48)) - 24;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                           qBound(0, qBlue(p) + grain, 255));
        }
    }
    int lo = 1, hi = 98;
    QByteArray best = encode(image, "JPEG", lo);
    while (lo <= hi) {
        const int q = (lo + hi) / 2;
        QByteArray b = encode(image, "JPEG", q);
        if (b.size() <= target) {
            best = std::move(b);
            lo = q + 1;
        } else {
            hi = q - 1;
        }
    }
    return best;
}

// A PNG of random pixels of about `target` bytes: noise does not compress.
inline QByteArray png(QRandomGenerator& random, int target) {
    const int side = int(std::sqrt((target - 200) / 3.0));
    QImage image(side, side, QImage::Format_RGB888);
    for (int y = 0; y < side; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < side * 3; ++x) line[x] = uchar(random.bounded(256));
    }
    return encode(image, "PNG");
}

}  // namespace PictureMaker
