// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/bankcsv.h"

#include <QDir>
#include <QHash>
#include <QStringDecoder>

#include "questionbank/categories.h"
#include "questionbank/examfields.h"

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
                error = QStringLiteral("没有引号的字段中出现了引号");
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
            if (c == QLatin1Char('\r') && pos + 1 < text.size() &&
                text[pos + 1] == QLatin1Char('\n'))
                ++pos;
            ++pos;
            break;
        }
        if (wasQuoted) {
            error = QStringLiteral("引号结束后还有文字");
            return false;
        }
        field += c;
        ++pos;
    }
    if (quoted) {
        error = QStringLiteral("引号中的字段没有结束");
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

// The first line that is not UTF-8, and whether the whole text reads as
// GB 18030 (which GBK and GB 2312 are part of), the usual other encoding.
QString notUtf8(const QByteArray& bytes) {
    int line = 1;
    for (const QByteArray& l : bytes.split('\n')) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(l);  // decoding happens on conversion
        if (utf8.hasError()) break;
        ++line;
    }
    QString why = QStringLiteral("第 %1 行不是 UTF-8 编码的文字").arg(line);
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        const QString decoded = gb.decode(bytes);
        if (!gb.hasError()) why += QStringLiteral("，文件看起来是 GB 18030（GBK）编码");
    }
    return why + QStringLiteral("。请把文件另存为 UTF-8 编码后再试。");
}

QString same(bool yes) {
    return yes ? QStringLiteral("相同") : QStringLiteral("不同");
}

}  // namespace

namespace {

// The columns after the fixed ones, as the header names them; without a
// header, the one optional column of the old form.
struct Layout {
    QStringList extra{QStringLiteral("picture")};
    int index(const QString& name) const { return extra.indexOf(name); }
};

const QStringList& optionalColumns() {
    static const QStringList names = QStringList{QStringLiteral("picture")} + ExamColumns::names();
    return names;
}

// True when `f` is a header line; its faults, if any, go to `faults`.
bool readHeader(const QStringList& f, bool withCategory, Layout& layout, QStringList& faults,
                int line) {
    const QStringList fixed = withCategory ? QStringList{"category", "question", "answer"}
                                           : QStringList{"question", "answer"};
    if (f.size() < fixed.size()) return false;
    for (int i = 0; i < fixed.size(); ++i)
        if (f[i].trimmed() != fixed[i]) return false;
    layout.extra.clear();
    for (int i = fixed.size(); i < f.size(); ++i) {
        const QString name = f[i].trimmed();
        if (!optionalColumns().contains(name))
            faults << QStringLiteral("第 %1 行：未知的列名“%2”（可选的列：%3）")
                          .arg(line)
                          .arg(name, optionalColumns().join(QStringLiteral("、")));
        else if (layout.extra.contains(name))
            faults << QStringLiteral("第 %1 行：列名“%2”出现了两次").arg(line).arg(name);
        layout.extra << name;  // kept even when wrong, so the fields still line up
    }
    return true;
}

// The key a repeat shares with the row it repeats: the question's identity
// as far as the text tells it (the picture by its path; bankctl compares the
// pictures' bytes once it has read them).
QString repeatKey(const BankSchema::Question& q, const QString& picture) {
    QStringList parts{q.question};
    for (const QString& o : q.exam.options) parts << o;
    parts << (picture.isEmpty() ? QString() : QDir::cleanPath(picture));
    return parts.join(QChar(0));
}

// Every repeat after the other faults, with what can be done about them.
void finishRun(Result& r, QStringList& faults, const QStringList& repeats, int agreeing,
               bool skipRepeats) {
    if (!repeats.isEmpty()) {
        faults << repeats;
        if (skipRepeats)
            faults << QStringLiteral("以上 %1 道重复的题目答案不同，不能跳过，请先改正。")
                          .arg(repeats.size());
        else
            faults << QStringLiteral("共有 %1 道重复的题目%2。")
                          .arg(repeats.size())
                          .arg(agreeing
                                   ? QStringLiteral("，其中 %1 道答案相同，可用 --skip-repeats 跳过"
                                                    "（保留先出现的一行）")
                                         .arg(agreeing)
                                   : QString());
    }
    if (!faults.isEmpty()) {
        std::vector<PictureRef> named = std::move(r.namedPictures);
        r = Result{};
        r.error = faults.join(QLatin1Char('\n'));
        r.namedPictures = std::move(named);
    }
}

}  // namespace

namespace {

// One pass over the lines: the questions kept, and every fault and repeat.
class Reader {
public:
    Reader(bool withCategory, bool skipRepeats)
        : withCategory_(withCategory), skipRepeats_(skipRepeats), width_(withCategory ? 3 : 2) {}

    // The first line that is not blank: a header, or a line of data.
    void first(const QStringList& f, int at) {
        if (!readHeader(f, withCategory_, layout_, faults_, at)) line(f, at);
    }
    void line(const QStringList& f, int at);
    void fault(int at, const QString& why) {
        faults_ << QStringLiteral("第 %1 行：%2").arg(at).arg(why);
    }
    Result finish() {
        finishRun(r_, faults_, repeats_, agreeing_, skipRepeats_);
        return std::move(r_);
    }

private:
    bool fill(const QStringList& f, int at, BankSchema::Question& q);
    void keepOrRepeat(BankSchema::Question&& q, int at, const QString& picture);
    QString cell(const QStringList& f, const QString& name) const {
        const int i = layout_.index(name);
        return i >= 0 && width_ + i < f.size() ? f[width_ + i] : QString();
    }

    const bool withCategory_, skipRepeats_;
    const int width_;
    const QStringList known_ = Categories::names();
    Layout layout_;
    Result r_;
    QHash<QString, int> seen_;  // repeat key -> its index in r_.questions
    QStringList faults_, repeats_;
    int agreeing_ = 0;
};

void Reader::line(const QStringList& f, int at) {
    const int most = width_ + std::max<int>(1, layout_.extra.size());
    if (f.size() < width_ || f.size() > most) {
        const QString range = most == width_ + 1 ? QStringLiteral("有 %1 个字段，应为 %2 或 %3 个")
                                                 : QStringLiteral("有 %1 个字段，应为 %2 到 %3 个");
        fault(at, range.arg(f.size()).arg(width_).arg(most));
        return;
    }
    const QString picture = cell(f, QStringLiteral("picture")).trimmed();
    if (!picture.isEmpty()) r_.namedPictures.push_back({at, picture});
    BankSchema::Question q;
    if (fill(f, at, q)) keepOrRepeat(std::move(q), at, picture);
}

// The fields of a line, checked; false when it has faults.
bool Reader::fill(const QStringList& f, int at, BankSchema::Question& q) {
    int i = 0;
    if (withCategory_) {
        q.category = f[i++];
        if (!known_.contains(q.category)) {
            fault(at, QStringLiteral("未知的类别“%1”").arg(q.category));
            return false;
        }
    }
    q.question = f[i++];
    q.answer = f[i++];
    q.exam.kind = cell(f, ExamColumns::kKind).trimmed();
    for (int o = 0; o < 4; ++o) q.exam.options[o] = cell(f, ExamColumns::option(o));
    q.exam.explanation = cell(f, ExamColumns::kExplanation);
    // Empty means what the editors refuse: nothing but U+0020 blanks. A
    // question of tabs that an editor stored must survive an export and
    // a rebuild.
    if (onlyBlanks(q.question)) {
        fault(at, QStringLiteral("题目为空"));
        return false;
    }
    if (onlyBlanks(q.answer)) {
        fault(at, QStringLiteral("答案为空"));
        return false;
    }
    q.answer = ExamAnswer::normalised(q.exam.kind, q.answer);
    const QStringList wrong = ExamAnswer::problems(q.exam, q.answer);
    for (const QString& w : wrong) fault(at, w);
    return wrong.isEmpty();
}

void Reader::keepOrRepeat(BankSchema::Question&& q, int at, const QString& picture) {
    const QString key = repeatKey(q, picture);
    const auto it = seen_.constFind(key);
    if (it == seen_.cend()) {
        seen_.insert(key, int(r_.questions.size()));
        r_.questions.push_back(std::move(q));
        r_.lines.push_back(at);
        r_.pictures << picture;
        return;
    }
    const BankSchema::Question& kept = r_.questions[*it];
    const bool answerAgrees = kept.answer == q.answer;
    const QString agreement =
        QStringLiteral("答案") + same(answerAgrees) +
        (withCategory_ ? QStringLiteral("，类别") + same(kept.category == q.category) : QString());
    const QString what = QStringLiteral("第 %1 行的题目与第 %2 行重复（%3）：%4")
                             .arg(at)
                             .arg(r_.lines[*it])
                             .arg(agreement, q.question);
    if (skipRepeats_ && answerAgrees) {
        r_.skipped << what;
        if (!picture.isEmpty()) r_.namedPictures.pop_back();  // left out: not stored
    } else {
        repeats_ << what;
    }
    agreeing_ += answerAgrees ? 1 : 0;
}

}  // namespace

Result parse(const QByteArray& bytes, bool withCategory, bool skipRepeats) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        Result r;
        r.error = notUtf8(bytes);
        return r;
    }
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    Reader reader(withCategory, skipRepeats);
    int pos = 0, line = 1;
    bool first = true;
    while (pos < text.size()) {
        QStringList f;
        int lines = 1;
        QString err;
        const int at = line;
        if (!readRecord(text, pos, f, lines, err)) {
            reader.fault(at, err);
            break;  // the rest cannot be split into fields reliably
        }
        line += lines;
        if (f.size() == 1 && f[0].trimmed().isEmpty()) continue;  // blank line
        if (first)
            reader.first(f, at);
        else
            reader.line(f, at);
        first = false;
    }
    return reader.finish();
}

namespace {
QString csvField(const QString& s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) &&
        !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
}  // namespace

QByteArray write(const std::vector<BankSchema::Question>& rows, bool withCategory,
                 const QStringList& pictures, bool withExam) {
    bool withPictures = false;
    for (const QString& p : pictures) withPictures = withPictures || !p.isEmpty();
    QString out = withCategory ? QStringLiteral("category,question,answer")
                               : QStringLiteral("question,answer");
    if (withExam) out += QLatin1Char(',') + ExamColumns::names().join(QLatin1Char(','));
    out += withPictures ? QStringLiteral(",picture\n") : QStringLiteral("\n");
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& q = rows[i];
        if (withCategory) out += csvField(q.category) + QLatin1Char(',');
        out += csvField(q.question) + QLatin1Char(',') + csvField(q.answer);
        if (withExam) {
            out += QLatin1Char(',') + csvField(q.exam.kind);
            for (const QString& o : q.exam.options) out += QLatin1Char(',') + csvField(o);
            out += QLatin1Char(',') + csvField(q.exam.explanation);
        }
        if (withPictures) out += QLatin1Char(',') + csvField(pictures.value(int(i)));
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

}  // namespace BankCsv
