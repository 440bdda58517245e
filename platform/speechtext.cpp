// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speechtext.h"

namespace {
// Full-width forms (Ａ..Ｚ, ａ..ｚ, ０..９) are spelt out by code point name
// otherwise; fold them to their ASCII counterparts.
QChar folded(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A) ||
        (u >= 0xFF41 && u <= 0xFF5A))
        return QChar(char16_t(u - 0xFF00 + 0x20));
    return c;
}

bool isLatinLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
}  // namespace

QString prepareSpeechText(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (QChar c : text) {
        c = folded(c);
        if (isDigit(c) && !out.isEmpty() && isLatinLetter(out.back())) out += u' ';
        out += c;
    }
    return out;
}
