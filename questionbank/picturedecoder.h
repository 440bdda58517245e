// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Turns a question's picture bytes (PNG, JPEG, GIF, WebP or SVG, as stored)
// into an image for a box on screen. Pictures come from outside, so every
// step is bounded: the byte count is checked before anything is parsed, a
// bitmap's declared size before it is decoded (and Qt's allocation limit is
// set), only the first frame of an animation is read, and an SVG is checked
// for external files, self references and runaway <use> expansion before it
// is rendered. A failure gives a null image and a reason for the log.
class PictureDecoder {
public:
    static constexpr qsizetype kMaxBytes = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxSvgBytes = 2 * 1024 * 1024;
    static constexpr int kAllocationLimitMb = 64;
    // Largest declared side of a bitmap, and of what is ever drawn.
    static constexpr int kMaxDeclaredSide = 16384;
    static constexpr int kMaxRenderSide = 4096;

    enum class Scaling {
        ShrinkOnly,  // never larger than the picture's own size
        Fit,         // as large as the box allows (aspect kept)
    };

    struct Result {
        QImage image;       // device pixels, devicePixelRatio() set; null on failure
        QByteArray format;  // "png", "jpeg", "gif", "webp" or "svg"; empty if not one of them
        QSize naturalSize;  // the picture's own size in logical pixels; invalid if unknown
        QString error;      // why image is null (Chinese, for the log and bankctl)
        bool ok() const { return !image.isNull(); }
    };

    // The picture fitted into `box` (logical pixels, aspect kept), drawn for
    // a screen of device pixel ratio `dpr`: SVG is rendered at that ratio,
    // bitmaps are scaled smoothly.
    static Result decode(const QByteArray& bytes, const QSize& box, qreal dpr,
                         Scaling scaling = Scaling::ShrinkOnly);

    // The format the bytes start like (magic numbers; SVG by its root
    // element); empty when none of the five.
    static QByteArray format(const QByteArray& bytes);
    // A file-name extension for a format: "jpg" for "jpeg", "bin" for unknown.
    static QString extension(const QByteArray& format);
};
