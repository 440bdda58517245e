// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/examfields.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>

#include "questionbank/recordset.h"

bool ExamFields::isEmpty() const {
    return kind.isEmpty() && !hasOptions() && explanation.isEmpty();
}

bool ExamFields::hasOptions() const {
    return std::any_of(options.begin(), options.end(),
                       [](const QString& o) { return !o.isEmpty(); });
}

ExamFields ExamFields::of(const RecordSet& set) {
    return at(set, set.AbsolutePosition());
}

ExamFields ExamFields::at(const RecordSet& set, int row) {
    ExamFields f;
    f.kind = set.fieldAt(row, ExamColumns::kKind).toString();
    for (int i = 0; i < 4; ++i) f.options[i] = set.fieldAt(row, ExamColumns::option(i)).toString();
    f.explanation = set.fieldAt(row, ExamColumns::kExplanation).toString();
    return f;
}

bool ExamKind::known(const QString& kind) {
    return kind.isEmpty() || kind == kJudge || kind == kSingle || kind == kMultiple;
}

namespace ExamColumns {

QString option(int i) {
    return QStringLiteral("option_") + QChar(u'a' + i);
}

const QStringList& names() {
    static const QStringList n{kKind, option(0), option(1), option(2), option(3), kExplanation};
    return n;
}

bool isExamColumn(const QString& name) {
    return names().contains(name, Qt::CaseInsensitive);
}

bool exist(SQLite::Database& db) {
    SQLite::Statement q(db, "SELECT 1 FROM pragma_table_info('Word') WHERE name = 'option_a'");
    return q.executeStep();
}

void add(SQLite::Database& db) {
    for (const QString& n : names())
        db.exec(QStringLiteral("ALTER TABLE Word ADD COLUMN %1 TEXT").arg(n).toStdString());
}

}  // namespace ExamColumns

namespace ExamAnswer {

namespace {
bool isSeparator(QChar c) {
    return c.isSpace() || c == u',' || c == u'，' || c == u'、';
}
}  // namespace

QString normalised(const QString& kind, const QString& answer) {
    if (kind == ExamKind::kJudge) {
        const QString a = answer.trimmed();
        if (a == u"对" || a == u"√" || a == u"正确") return QStringLiteral("正确");
        if (a == u"错" || a == u"×" || a == u"错误") return QStringLiteral("错误");
        return answer;
    }
    if (kind != ExamKind::kSingle && kind != ExamKind::kMultiple) return answer;
    QString letters;
    for (QChar c : answer)
        if (!isSeparator(c)) letters += c.toUpper();
    std::sort(letters.begin(), letters.end());
    return letters;
}

QStringList problems(const ExamFields& f, const QString& answer) {
    QStringList out;
    if (!ExamKind::known(f.kind)) {
        out << QStringLiteral("未知的题型“%1”（应为 判断、单选 或 多选）").arg(f.kind);
        return out;
    }
    if (f.kind.isEmpty()) {
        if (f.hasOptions()) out << QStringLiteral("有选项但没有题型（kind 应为 单选 或 多选）");
        return out;
    }
    if (f.kind == ExamKind::kJudge) {
        if (f.hasOptions()) out << QStringLiteral("判断题不能有选项");
        if (answer != u"正确" && answer != u"错误")
            out << QStringLiteral("判断题的答案应为 正确 或 错误（也可写 对/错、√/×），现为“%1”")
                       .arg(answer);
        return out;
    }
    int last = -1, filled = 0;
    for (int i = 0; i < 4; ++i)
        if (!f.options[i].isEmpty()) last = i, ++filled;
    for (int i = 0; i < last; ++i)
        if (f.options[i].isEmpty())
            out << QStringLiteral("选项 %1 为空，而后面的选项有内容").arg(QChar(u'A' + i));
    if (filled < 2) out << QStringLiteral("%1题至少要有两个选项").arg(f.kind);
    for (int i = 1; i < answer.size(); ++i)
        if (answer[i] == answer[i - 1]) out << QStringLiteral("答案中字母 %1 重复").arg(answer[i]);
    for (QChar c : answer) {
        const int i = c.unicode() - u'A';
        if (i < 0 || i > 3)
            out << QStringLiteral("答案“%1”中的“%2”不是选项字母 A 到 D").arg(answer).arg(c);
        else if (f.options[i].isEmpty())
            out << QStringLiteral("答案“%1”中的 %2 没有对应的选项").arg(answer).arg(c);
    }
    if (f.kind == ExamKind::kSingle && answer.size() != 1)
        out << QStringLiteral("单选题的答案应为一个字母，现为“%1”").arg(answer);
    if (f.kind == ExamKind::kMultiple && answer.size() < 2)
        out << QStringLiteral("多选题的答案至少要有两个字母，现为“%1”").arg(answer);
    return out;
}

}  // namespace ExamAnswer
