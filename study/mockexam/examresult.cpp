// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examresult.h"

#include <QJsonObject>

#include "study/mockexam/paperdraw.h"

namespace {
QString categoryOf(const ExamQuestion& q) {
    return q.category.isEmpty() ? QStringLiteral("个人生词本") : q.category;
}

ExamResult::CategoryScore& entryFor(std::vector<ExamResult::CategoryScore>& all,
                                    const QString& category) {
    for (ExamResult::CategoryScore& c : all)
        if (c.category == category) return c;
    all.push_back({category});
    return all.back();
}
}  // namespace

ExamResult ExamResult::of(const DrawnPaper& paper, const QStringList& responses, qint64 usedMs,
                          Ending ending) {
    ExamResult r;
    r.paper = paper.name();
    r.fullScore = paper.rules.fullScore();
    r.passScore = paper.rules.passScore();
    r.usedMs = std::clamp<qint64>(usedMs, 0, paper.durationMs);
    r.ending = ending;
    const int points = paper.rules.pointsEach;
    for (int i = 0; i < int(paper.questions.size()); ++i) {
        const ExamQuestion& q = paper.questions[size_t(i)];
        const QString given = i < responses.size() ? responses[i] : QString();
        const bool right = q.isRight(given);
        CategoryScore& c = entryFor(r.perCategory, categoryOf(q));
        ++c.questions;
        c.full += points;
        if (!given.isEmpty()) ++r.answered;
        if (right) {
            ++r.right;
            ++c.right;
            c.score += points;
        } else {
            r.wrong.push_back(i);
        }
    }
    r.score = r.right * points;
    r.passed = r.score >= r.passScore;
    return r;
}

QJsonArray ExamResult::answersJson(const DrawnPaper& paper, const QStringList& responses) {
    QJsonArray out;
    for (int i = 0; i < int(paper.questions.size()); ++i) {
        const ExamQuestion& q = paper.questions[size_t(i)];
        const QString given = i < responses.size() ? responses[i] : QString();
        out.append(QJsonObject{{"identity", q.identity},
                               {"kind", q.kind},
                               {"category", q.category},
                               {"answer", q.answer},
                               {"response", given},
                               {"right", q.isRight(given)}});
    }
    return out;
}
