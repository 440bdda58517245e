#include "tools/bankcsv.h"

#include <QSet>
#include <QStringDecoder>

#include "questionbank/categories.h"

namespace BankCsv {
namespace {

// Splits one record starting at `pos`; advances `pos` past its line end and
// counts the physical lines it covered (quoted fields may hold line breaks).
bool readRecord(const QString& text, int& pos, QStringList& fields, int& lines, QString& error) {
    fields.clear();
    QString field;
    bool quoted = false, wasQuoted = false;
    lines = 1;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('"')) {
                    field += c;
                    pos += 2;
                    continue;
                }
                quoted = false;
                ++pos;
                continue;
            }
            if (c == QLatin1Char('\n')) ++lines;
            field += c;
            ++pos;
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted) {
                error = QStringLiteral("a quote inside an unquoted field");
                return false;
            }
            quoted = wasQuoted = true;
            ++pos;
            continue;
        }
        if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
            wasQuoted = false;
            ++pos;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\n')) ++pos;
            ++pos;
            break;
        }
        if (wasQuoted) {
            error = QStringLiteral("text after a closing quote");
            return false;
        }
        field += c;
        ++pos;
    }
    if (quoted) {
        error = QStringLiteral("a quoted field is not closed");
        return false;
    }
    fields << field;
    return true;
}

bool onlyBlanks(const QString& s) {
    for (QChar c : s)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

}  // namespace

Result parse(const QByteArray& bytes, bool withCategory) {
    Result r;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        r.error = QStringLiteral("the file is not valid UTF-8");
        return r;
    }
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    const QStringList known = Categories::names();
    const int width = withCategory ? 3 : 2;
    QSet<QString> seen;
    int pos = 0, line = 1;
    bool first = true;
    while (pos < text.size()) {
        QStringList f;
        int lines = 1;
        QString err;
        const int at = line;
        if (!readRecord(text, pos, f, lines, err)) {
            r.error = QStringLiteral("line %1: %2").arg(at).arg(err);
            r.questions.clear();
            return r;
        }
        line += lines;
        if (f.size() == 1 && f[0].trimmed().isEmpty()) continue;  // blank line
        if (first) {
            first = false;
            const QString header = withCategory ? QStringLiteral("category,question,answer")
                                                : QStringLiteral("question,answer");
            if (f.join(QLatin1Char(',')).trimmed() == header) continue;
        }
        auto fail = [&](const QString& why) {
            r.error = QStringLiteral("line %1: %2").arg(at).arg(why);
            r.questions.clear();
            return r;
        };
        if (f.size() != width)
            return fail(QStringLiteral("%1 fields, expected %2").arg(f.size()).arg(width));
        BankSchema::Question q;
        int i = 0;
        if (withCategory) {
            q.category = f[i++];
            if (!known.contains(q.category)) return fail(QStringLiteral("unknown category \"%1\"").arg(q.category));
        }
        q.question = f[i++];
        q.answer = f[i++];
        // Empty means what the editors refuse: nothing but U+0020 blanks. A
        // question of tabs that an editor stored must survive an export and
        // a rebuild.
        if (onlyBlanks(q.question)) return fail(QStringLiteral("empty question"));
        if (onlyBlanks(q.answer)) return fail(QStringLiteral("empty answer"));
        if (seen.contains(q.question)) return fail(QStringLiteral("duplicate question \"%1\"").arg(q.question));
        seen.insert(q.question);
        r.questions.push_back(std::move(q));
    }
    return r;
}

namespace {
QString csvField(const QString& s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
}  // namespace

QByteArray write(const std::vector<BankSchema::Question>& rows, bool withCategory) {
    QString out = withCategory ? QStringLiteral("category,question,answer\n") : QStringLiteral("question,answer\n");
    for (const auto& q : rows) {
        if (withCategory) out += csvField(q.category) + QLatin1Char(',');
        out += csvField(q.question) + QLatin1Char(',') + csvField(q.answer) + QLatin1Char('\n');
    }
    return out.toUtf8();
}

}  // namespace BankCsv
