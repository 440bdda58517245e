// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QColor>

// Picture files made in memory for tests: real encodings from Qt's writers,
// and hand-made headers that declare what a writer would never produce.
namespace PictureBytes {

// A w x h picture in `format` ("PNG", "JPEG", "WEBP"), one colour.
QByteArray encoded(const char* format, int w, int h, QColor colour = Qt::red);
// A GIF of `frames` frames of w x h pixels.
QByteArray gif(int w, int h, int frames);
// A PNG whose header declares w x h (CRCs right), with no pixel data.
QByteArray pngDeclaring(quint32 w, quint32 h);
// A small SVG sign: a red circle in a 100 x 100 view box.
QByteArray svgSign();

}  // namespace PictureBytes
