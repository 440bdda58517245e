// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/settingstable.h"

#include <QLocale>
#include <cmath>
#include <utility>

#include "platform/logging.h"
#include "platform/settingsstore.h"
#include "study/settingsrecord.h"

namespace SettingsTable {

QString realText(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

using Value = std::pair<QLatin1String, QString>;

QString colourText(std::uint32_t ole) {
    return QString::number(OleColour::toSigned(ole));
}

// The first-run value of each kind of key, as stored.
Value firstRun(const Whole& w, const Design&) {
    return {QLatin1String(w.key), QString::number(w.firstRun)};
}
Value firstRun(const Text& t, const Design&) {
    return {QLatin1String(t.key), QLatin1String(t.firstRun)};
}
Value firstRun(const ScreenOffset& s, const Design& d) {
    return {QLatin1String(s.key), realText(d.screenWidthTwips / 2 + s.offsetTwips)};
}
Value firstRun(std::uint32_t designed, const Colour& c) {
    return {QLatin1String(c.key), colourText(designed)};
}

qint16 readWhole(const SettingsStore& s, const Whole& w) {
    bool ok = false;
    const int v = s.read(QLatin1String(w.key)).trimmed().toInt(&ok, 10);
    return ok && v >= w.lowest && v <= w.highest ? qint16(v) : w.firstRun;
}

double readColour(const SettingsStore& s, const Colour& c, std::uint32_t fallback) {
    bool ok = false;
    const double v = s.read(QLatin1String(c.key)).trimmed().toDouble(&ok);
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

// Wider than 16 bits on very wide screens: kept as a wider number.
qint32 readScreenOffset(const SettingsStore& s, const ScreenOffset& o, const Design& d) {
    bool ok = false;
    const double v = s.read(QLatin1String(o.key)).trimmed().toDouble(&ok);
    return ok && std::isfinite(v) && std::abs(v) < 2147483647.0
               ? qint32(std::lround(v))
               : qint32(std::lround(d.screenWidthTwips / 2 + o.offsetTwips));
}

void logInEffect(const SettingsRecord& r) {
    qCInfo(lcSettings).noquote()
        << QStringLiteral(
               "in effect: ctimeword=%1 ssaveword=%2 guageword=%3 markword=%4 voice=%5 "
               "winleftword=%6 ontopword=%7 txtColor=%8 formColor=%9 isnoSpeak=%10 "
               "Spdtimes=%11 FontSizeNumber=%12")
               .arg(r.ctimeword)
               .arg(r.ssaveword)
               .arg(r.guageword)
               .arg(r.markword)
               .arg(r.voice)
               .arg(r.winleftword)
               .arg(r.ontopword)
               .arg(realText(r.txtColor), realText(r.formColor))
               .arg(r.isnoSpeak)
               .arg(r.Spdtimes)
               .arg(r.FontSizeNumber);
    qCInfo(lcSettings).noquote()
        << QStringLiteral("answers after half a step: delayword=%1").arg(r.delayword);
    qCInfo(lcSettings).noquote()
        << QStringLiteral("explanations shown: explainword=%1").arg(r.explainword);
    qCInfo(lcSettings).noquote() << QStringLiteral("order: studyorder=%1 newperday=%2 retention=%3")
                                        .arg(r.studyorder)
                                        .arg(r.newperday)
                                        .arg(r.retention);
}

}  // namespace

bool seed(SettingsStore& store, const Design& d) {
    if (!store.read(QLatin1String(xxx.key)).isEmpty()) return false;
    // The marker is written fifth, before the remaining defaults.
    const Value values[] = {
        firstRun(ctimeword, d),
        firstRun(ssaveword, d),
        firstRun(guageword, d),
        firstRun(markword, d),
        firstRun(xxx, d),
        firstRun(winleftword, d),
        firstRun(ontopword, d),
        firstRun(ce, d),
        firstRun(n, d),
        firstRun(ctime, d),
        firstRun(etime, d),
        firstRun(rd, d),
        firstRun(psave, d),
        firstRun(ssave, d),
        firstRun(visi, d),
        firstRun(voice, d),
        firstRun(guage, d),
        firstRun(guagen, d),
        firstRun(agent, d),
        firstRun(red, d),
        firstRun(mark, d),
        firstRun(left, d),
        firstRun(d.txtColor, txtColor),
        firstRun(d.formColor, formColor),
        firstRun(isnoSpeak, d),
        firstRun(Spdtimes, d),
        firstRun(FontSizeNumber, d),
    };
    static_assert(std::size(values) == 27);
    for (const auto& [key, value] : values) store.write(key, value);
    return true;
}

SettingsRecord read(const SettingsStore& s, const Design& d) {
    SettingsRecord r;
    r.ctimeword = readWhole(s, ctimeword);
    r.ssaveword = readWhole(s, ssaveword);
    r.guageword = readWhole(s, guageword);
    r.markword = readWhole(s, markword);
    r.xxx = s.read(QLatin1String(xxx.key));
    r.agent = s.read(QLatin1String(agent.key));
    r.voice = readWhole(s, voice);
    r.winleftword = readScreenOffset(s, winleftword, d);
    r.ontopword = readWhole(s, ontopword);
    r.txtColor = readColour(s, txtColor, d.txtColor);
    r.formColor = readColour(s, formColor, d.formColor);
    r.isnoSpeak = readWhole(s, isnoSpeak);
    r.Spdtimes = readWhole(s, Spdtimes);
    r.FontSizeNumber = readWhole(s, FontSizeNumber);
    r.delayword = readWhole(s, delayword);
    r.explainword = readWhole(s, explainword);
    r.studyorder = readWhole(s, studyorder);
    r.newperday = readWhole(s, newperday);
    r.retention = readWhole(s, retention);
    logInEffect(r);
    return r;
}

void save(SettingsStore& s, const SettingsRecord& r) {
    const auto whole = [&s](const Whole& w, qint16 v) {
        s.write(QLatin1String(w.key), QString::number(v));
    };
    const auto colour = [&s](const Colour& c, double v) {
        s.write(QLatin1String(c.key), colourText(OleColour::fromNumber(v)));
    };
    whole(ctimeword, r.ctimeword);
    whole(ontopword, r.ontopword);
    whole(ssaveword, r.ssaveword);
    whole(guageword, r.guageword);
    whole(markword, r.markword);
    s.write(QLatin1String(xxx.key), QLatin1String(xxx.firstRun));
    whole(isnoSpeak, r.isnoSpeak);
    colour(txtColor, r.txtColor);
    colour(formColor, r.formColor);
    whole(FontSizeNumber, r.FontSizeNumber);
    whole(Spdtimes, r.Spdtimes);
}

}  // namespace SettingsTable
