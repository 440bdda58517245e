// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/mockexam/mockexamfixture.h"

#include <QCryptographicHash>

#include "questionbank/examfields.h"

namespace ExamFixture {

namespace {
QString answerFor(const QString& kind, int n) {
    if (kind == ExamKind::kJudge) return n % 2 ? QStringLiteral("错误") : QStringLiteral("正确");
    if (kind == ExamKind::kSingle) return QString(QChar(u'A' + n % 4));
    return n % 2 ? QStringLiteral("ABD") : QStringLiteral("AC");
}
}  // namespace

BankSchema::Question row(const QString& category, const QString& kind, int n,
                         const QByteArray& picture) {
    BankSchema::Question q;
    q.category = category;
    q.question = QStringLiteral("%1的第%2道%3题").arg(category).arg(n).arg(kind);
    q.answer = answerFor(kind, n);
    q.picture = picture;
    q.exam.kind = kind;
    if (kind != ExamKind::kJudge)
        for (int i = 0; i < 4; ++i)
            q.exam.options[size_t(i)] = QStringLiteral("选项%1-%2").arg(QChar(u'A' + i)).arg(n);
    q.exam.explanation = QStringLiteral("解析%1").arg(n);
    return q;
}

ExamQuestion question(const QString& category, const QString& kind, int n) {
    const BankSchema::Question r = row(category, kind, n);
    ExamQuestion q;
    q.category = category;
    q.kind = kind;
    q.text = r.question;
    q.options = r.exam.options;
    q.answer = r.answer;
    q.explanation = r.exam.explanation;
    q.identity = QString::fromLatin1(
        QCryptographicHash::hash(q.text.toUtf8(), QCryptographicHash::Sha256).toHex());
    return q;
}

std::vector<ExamQuestion> pool(const QStringList& categories, int judge, int single, int multiple) {
    std::vector<ExamQuestion> out;
    for (const QString& c : categories) {
        for (int i = 0; i < judge; ++i) out.push_back(question(c, ExamKind::kJudge, i));
        for (int i = 0; i < single; ++i) out.push_back(question(c, ExamKind::kSingle, i));
        for (int i = 0; i < multiple; ++i) out.push_back(question(c, ExamKind::kMultiple, i));
    }
    return out;
}

std::vector<BankSchema::Question> rows(const QStringList& categories, int judge, int single,
                                       int multiple) {
    std::vector<BankSchema::Question> out;
    for (const QString& c : categories) {
        for (int i = 0; i < judge; ++i) out.push_back(row(c, ExamKind::kJudge, i));
        for (int i = 0; i < single; ++i) out.push_back(row(c, ExamKind::kSingle, i));
        for (int i = 0; i < multiple; ++i) out.push_back(row(c, ExamKind::kMultiple, i));
    }
    return out;
}

QString wrongResponse(const ExamQuestion& q) {
    if (q.isJudge()) return q.answer == u"正确" ? QStringLiteral("错误") : QStringLiteral("正确");
    if (q.isMultiple()) return q.answer.left(1);  // one letter short of exactly right
    return q.answer == u"A" ? QStringLiteral("B") : QStringLiteral("A");
}

DrawnPaper paper(const PaperRules& rules, quint32 seed) {
    PaperDraw draw(pool(rules.categories, 60, 80, 20), seed);
    return draw.draw(rules);
}

}  // namespace ExamFixture
