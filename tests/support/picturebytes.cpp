// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/picturebytes.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

namespace PictureBytes {
namespace {
quint32 crc32(const QByteArray& data) {
    quint32 c = 0xFFFFFFFFu;
    for (char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray chunk(const QByteArray& type, const QByteArray& data) {
    return be32(quint32(data.size())) + type + data + be32(crc32(type + data));
}

QByteArray le16(int v) {
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char((v >> 8) & 0xFF));
}
}  // namespace

QByteArray encoded(const char* format, int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return out;
}

QByteArray gif(int w, int h, int frames) {
    QByteArray g = "GIF89a" + le16(w) + le16(h);
    g += char(0x80);  // global colour table of two entries
    g += char(0) + QByteArray(1, char(0));
    g += QByteArray("\xFF\x00\x00\x00\x00\xFF", 6);
    for (int f = 0; f < frames; ++f) {
        g += QByteArray("\x21\xF9\x04\x00\x01\x00\x00\x00", 8);  // 10 ms per frame
        g += char(0x2C) + le16(0) + le16(0) + le16(w) + le16(h) + char(0);
        // LZW, minimum code size 2: clear, then one pixel of colour f % 2, end.
        g += char(2);
        g += char(2);
        g += char(f % 2 ? 0x4C : 0x44);
        g += char(0x01);
        g += char(0);
    }
    g += char(0x3B);
    return g;
}

QByteArray pngDeclaring(quint32 w, quint32 h) {
    QByteArray ihdr = be32(w) + be32(h) + QByteArray("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", QByteArray()) +
           chunk("IEND", QByteArray());
}

QByteArray svgSign() {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\" width=\"100\" "
           "height=\"100\">"
           "<circle cx=\"50\" cy=\"50\" r=\"45\" fill=\"#fff\" stroke=\"#d00\" "
           "stroke-width=\"10\"/>"
           "<text x=\"50\" y=\"62\" font-size=\"36\" text-anchor=\"middle\">40</text></svg>";
}

}  // namespace PictureBytes
