// SPDX-License-Identifier: GPL-3.0-or-later
#include "shippedbankrows.h"

#include <QFile>

namespace {

// Splits the text into records of fields; quotes may hold commas, doubled
// quotes and line breaks.
std::vector<QStringList> records(const QString& text) {
    std::vector<QStringList> out;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else if (c == u'\n') {
            fields << field;
            out.push_back(fields);
            fields.clear();
            field.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty()) out.push_back(fields << field);
    return out;
}

}  // namespace

QString ShippedRow::answerText() const {
    if (kind == QStringLiteral("判断"))
        return answer == QStringLiteral("正确") ? question : QString();
    QStringList right;
    for (const QChar letter : answer) {
        const int i = letter.unicode() - u'A';
        if (i >= 0 && i < options.size()) right << options[i];
    }
    return right.join(QStringLiteral("；"));
}

std::vector<ShippedRow> readBankRows(const QByteArray& text) {
    std::vector<QStringList> all = records(QString::fromUtf8(text));
    std::vector<ShippedRow> rows;
    if (all.empty()) return rows;
    const QStringList header = all.front();
    for (size_t r = 1; r < all.size(); ++r) {
        const QStringList& f = all[r];
        if (f.size() == 1 && f[0].isEmpty()) continue;
        auto cell = [&](const char* name) {
            const qsizetype i = header.indexOf(QLatin1String(name));
            return i >= 0 && i < f.size() ? f[i] : QString();
        };
        rows.push_back({cell("category"),
                        cell("question"),
                        cell("answer"),
                        cell("picture"),
                        cell("kind"),
                        cell("explanation"),
                        {cell("option_a"), cell("option_b"), cell("option_c"), cell("option_d")}});
    }
    return rows;
}

std::vector<ShippedRow> shippedBankRows() {
    QFile f(QStringLiteral(TEST_SOURCE_DIR "/data/bank.csv"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return readBankRows(f.readAll());
}
