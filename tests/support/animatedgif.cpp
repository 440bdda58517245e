// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/animatedgif.h"

namespace AnimatedGif {
namespace {
// Codes of 8 bits (minimum code size 7): a clear code every 100 pixels keeps
// the decoder's table from growing to 9-bit codes, so every code is one byte
// and the data needs no bit packing.
constexpr int kMinCodeSize = 7;
constexpr char kClear = char(128);
constexpr char kEnd = char(129);
constexpr int kRun = 100;

QByteArray le16(int v) {
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char((v >> 8) & 0xFF));
}

QByteArray subBlocks(const QByteArray& data) {
    QByteArray out;
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray part = data.mid(at, 255);
        out += char(part.size());
        out += part;
    }
    return out + char(0);
}

QByteArray frameData(const Look& look, int index) {
    QByteArray codes;
    codes.reserve(qsizetype(look.width) * look.height * 101 / 100 + 4);
    int run = 0;
    for (int y = 0; y < look.height; ++y)
        for (int x = 0; x < look.width; ++x) {
            if (run % kRun == 0) codes += kClear;
            ++run;
            const bool bar = !look.stripes || (x / 8) % 2 == 0;
            codes += char(bar ? index + 1 : 0);  // entry 0 is white
        }
    codes += kEnd;
    return subBlocks(codes);
}
}  // namespace

QByteArray make(const Look& look) {
    QByteArray g = "GIF89a" + le16(look.width) + le16(look.height);
    g += char(0xF6);  // global table of 128 entries
    g += char(0);
    g += char(0);
    QByteArray table(128 * 3, '\0');
    table[0] = table[1] = table[2] = char(255);
    for (int i = 0; i < look.frames.size() && i < 120; ++i) {
        table[(i + 1) * 3] = char(look.frames[i].red());
        table[(i + 1) * 3 + 1] = char(look.frames[i].green());
        table[(i + 1) * 3 + 2] = char(look.frames[i].blue());
    }
    g += table;
    if (look.loops >= 0)
        g += QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16) + le16(look.loops) + char(0);
    for (int i = 0; i < look.frames.size(); ++i) {
        g += QByteArray("\x21\xF9\x04\x00", 4) + le16(look.delayCs) + QByteArray("\x00\x00", 2);
        g += char(0x2C) + le16(0) + le16(0) + le16(look.width) + le16(look.height) + char(0);
        g += char(kMinCodeSize);
        g += frameData(look, i);
    }
    g += char(0x3B);
    return g;
}

}  // namespace AnimatedGif
