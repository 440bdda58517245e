// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/gradenote.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace GradeNote {

QString name(Fsrs::Grade grade) {
    switch (grade) {
        case Fsrs::Grade::Forgot:
            return QStringLiteral("忘了");
        case Fsrs::Grade::Vague:
            return QStringLiteral("模糊");
        case Fsrs::Grade::Knew:
            return QStringLiteral("记得");
        case Fsrs::Grade::Easy:
            return QStringLiteral("简单");
    }
    return {};
}

QString after(qint64 ms) {
    constexpr double kMinute = 60.0 * 1000, kHour = 60 * kMinute, kDay = 24 * kHour;
    // The mean month and year of the Gregorian calendar.
    constexpr double kMonth = 30.436875 * kDay, kYear = 365.2425 * kDay;
    const double t = double(std::max<qint64>(ms, 0));
    const auto whole = [](double v) { return std::max(1LL, std::llround(v)); };
    if (t < kHour - kMinute / 2) return QStringLiteral("%1 分钟后").arg(whole(t / kMinute));
    if (t < kDay - kHour / 2) return QStringLiteral("%1 小时后").arg(whole(t / kHour));
    if (t < kMonth - kDay / 2) return QStringLiteral("%1 天后").arg(whole(t / kDay));
    if (t < kYear - kMonth / 2) return QStringLiteral("%1 个月后").arg(whole(t / kMonth));
    // Years to a tenth: "1.5 年后", "2 年后".
    const double years = std::round(t / kYear * 10) / 10;
    return QStringLiteral("%1 年后").arg(QLocale::c().toString(years, 'g', 4));
}

QString text(Fsrs::Grade grade, qint64 intervalMs) {
    return name(grade) + QStringLiteral(" · 下次：") + after(intervalMs);
}

}  // namespace GradeNote
