// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/queries.h"

namespace Queries {

QString displayAll() { return QStringLiteral("select * from word "); }

QString displayCategory(const QString& name) {
    return QStringLiteral("select * from word where category=") + QLatin1Char('\'') + name +
           QLatin1Char('\'');
}

QString displayWeatherFallback() {
    return QStringLiteral("select * from word where category= ") + QStringLiteral("'Weather'");
}

QString personalList() { return QStringLiteral("SELECT * FROM Word ORDER BY index;"); }

QString studyEditor() { return QStringLiteral("select * from word ORDER BY English"); }

QString managerEditor(const QString& category) {
    return QStringLiteral("select * from word where category='") + category +
           QStringLiteral("' ORDER BY English");
}

QString toSqlite(const QString& query) {
    QString out;
    out.reserve(query.size() + 8);
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    int i = 0;
    while (i < query.size()) {
        const QChar c = query[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Copy a quoted literal or name unchanged, '' and "" included.
            int j = i + 1;
            while (j < query.size()) {
                if (query[j] == c) {
                    if (j + 1 < query.size() && query[j + 1] == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            out += query.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (isWordChar(c)) {
            int j = i;
            while (j < query.size() && isWordChar(query[j])) ++j;
            const QString word = query.mid(i, j - i);
            if (word.compare(QLatin1String("index"), Qt::CaseInsensitive) == 0)
                out += QLatin1Char('"') + word + QLatin1Char('"');
            else
                out += word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace Queries
