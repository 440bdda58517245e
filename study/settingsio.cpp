// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/settingsio.h"

#include <QLocale>
#include <cmath>
#include <limits>

#include "platform/logging.h"
#include "platform/olecolour.h"
#include "platform/settingsstore.h"

namespace SettingsIo {

QString realText(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

QString colourText(std::uint32_t ole) { return QString::number(OleColour::toSigned(ole)); }

qint16 whole(const SettingsStore& s, const char* key, int lo, int hi, qint16 fallback) {
    bool ok = false;
    const int v = s.read(QLatin1String(key)).trimmed().toInt(&ok, 10);
    return ok && v >= lo && v <= hi ? qint16(v) : fallback;
}

double colour(const SettingsStore& s, const char* key, std::uint32_t fallback) {
    bool ok = false;
    const double v = s.read(QLatin1String(key)).trimmed().toDouble(&ok);
    // Either form of a 32-bit value: signed (system colours) or unsigned.
    // Colour numbers are whole; a fraction such as 7.5 is no colour number.
    if (!ok || !std::isfinite(v) || v < -2147483648.0 || v > 4294967295.0 || v != std::floor(v))
        return double(OleColour::toSigned(fallback));
    // A system colour is the flag and an index of at most 30; anything else
    // with the flag set (-1, say) names no colour, and would paint text and
    // background alike in the window colour.
    const std::uint32_t ole = OleColour::fromNumber(v);
    if ((ole & OleColour::kSystemFlag) && (ole & ~OleColour::kSystemFlag) > 30)
        return double(OleColour::toSigned(fallback));
    return v;
}

}  // namespace

bool seed(SettingsStore& store, const Design& d) {
    if (!store.read(QStringLiteral("xxx")).isEmpty()) return false;
    const double half = d.screenWidthTwips / 2;
    const std::pair<const char*, QString> values[] = {
        {"ctimeword", "7"},   {"ssaveword", "1"},
        {"guageword", "1"},   {"markword", "0"},
        {"xxx", "1"},         {"winleftword", realText(half - 2000)},
        {"ontopword", "1"},   {"ce", "0"},
        {"n", "1"},           {"ctime", "3"},
        {"etime", "5"},       {"rd", "1"},
        {"psave", "1"},       {"ssave", "1"},
        {"visi", "0"},        {"voice", "1"},
        {"guage", "1"},       {"guagen", "11000"},
        {"agent", "Merlin"},  {"red", "0"},
        {"mark", "1"},        {"left", realText(half - 3000)},
        {"txtColor", colourText(d.txtColor)}, {"formColor", colourText(d.formColor)},
        {"isnoSpeak", "0"},   {"Spdtimes", "90"},
        {"FontSizeNumber", "12"},
    };
    for (const auto& [key, value] : values) store.write(QLatin1String(key), value);
    return true;
}

SettingsRecord read(const SettingsStore& s, const Design& d) {
    constexpr int lo16 = std::numeric_limits<qint16>::min(), hi16 = std::numeric_limits<qint16>::max();
    SettingsRecord r;
    // The options dialog offers 3 to 15 seconds; the display timer works with
    // anything from 1 to 32 (32 * 1000 still fits 16 bits), so keep those.
    r.ctimeword = whole(s, "ctimeword", 1, 32, 7);
    r.ssaveword = whole(s, "ssaveword", 0, 1, 1);
    // 10 and above all mean the personal list.
    r.guageword = whole(s, "guageword", 0, hi16, 1);
    r.markword = whole(s, "markword", 0, 1, 0);
    r.xxx = s.read(QStringLiteral("xxx"));
    r.agent = s.read(QStringLiteral("agent"));
    // Any 16-bit value has a meaning for voice (only 1 speaks); none is bad.
    r.voice = whole(s, "voice", lo16, hi16, 1);
    {
        bool ok = false;
        const double v = s.read(QStringLiteral("winleftword")).trimmed().toDouble(&ok);
        r.winleftword = ok && std::isfinite(v) && std::abs(v) < 2147483647.0
                            ? qint32(std::lround(v))
                            : qint32(std::lround(d.screenWidthTwips / 2 - 2000));
    }
    r.ontopword = whole(s, "ontopword", 0, 1, 1);
    r.txtColor = colour(s, "txtColor", d.txtColor);
    r.formColor = colour(s, "formColor", d.formColor);
    r.isnoSpeak = whole(s, "isnoSpeak", 0, 1, 0);
    r.Spdtimes = whole(s, "Spdtimes", lo16, hi16, 90);
    r.FontSizeNumber = whole(s, "FontSizeNumber", 8, 55, 12);
    // Absent (never switched) or anything but 0 and 1 means off.
    r.delayword = whole(s, "delayword", 0, 1, 0);
    qCInfo(lcSettings).noquote() << QStringLiteral(
        "in effect: ctimeword=%1 ssaveword=%2 guageword=%3 markword=%4 voice=%5 winleftword=%6 "
        "ontopword=%7 txtColor=%8 formColor=%9 isnoSpeak=%10 Spdtimes=%11 FontSizeNumber=%12")
                                        .arg(r.ctimeword).arg(r.ssaveword).arg(r.guageword).arg(r.markword)
                                        .arg(r.voice).arg(r.winleftword).arg(r.ontopword)
                                        .arg(realText(r.txtColor), realText(r.formColor))
                                        .arg(r.isnoSpeak).arg(r.Spdtimes).arg(r.FontSizeNumber);
    qCInfo(lcSettings).noquote() << QStringLiteral("answers after half a step: delayword=%1").arg(r.delayword);
    return r;
}

void save(SettingsStore& s, const SettingsRecord& r, std::uint32_t txtColour, std::uint32_t formColour) {
    s.write(QStringLiteral("ctimeword"), QString::number(r.ctimeword));
    s.write(QStringLiteral("ontopword"), QString::number(r.ontopword));
    s.write(QStringLiteral("ssaveword"), QString::number(r.ssaveword));
    s.write(QStringLiteral("guageword"), QString::number(r.guageword));
    s.write(QStringLiteral("markword"), QString::number(r.markword));
    s.write(QStringLiteral("xxx"), QStringLiteral("1"));
    s.write(QStringLiteral("isnoSpeak"), QString::number(r.isnoSpeak));
    s.write(QStringLiteral("txtColor"), colourText(txtColour));
    s.write(QStringLiteral("formColor"), colourText(formColour));
    s.write(QStringLiteral("FontSizeNumber"), QString::number(r.FontSizeNumber));
    s.write(QStringLiteral("Spdtimes"), QString::number(r.Spdtimes));
}

}  // namespace SettingsIo
