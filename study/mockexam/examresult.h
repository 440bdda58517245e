// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <vector>

struct DrawnPaper;

// The outcome of one submitted paper.
struct ExamResult {
    enum class Ending { ByLearner, TimeUp };

    struct CategoryScore {
        QString category;  // 个人生词本 for questions without one
        int questions = 0;
        int right = 0;
        int score = 0;  // points earned
        int full = 0;   // points possible
    };

    QString paper;  // the paper's name
    int score = 0;
    int fullScore = 0;
    int passScore = 0;
    bool passed = false;
    qint64 usedMs = 0;  // time used, never more than the paper's time
    Ending ending = Ending::ByLearner;
    int right = 0;
    int answered = 0;
    // In the order each category first appears in the paper.
    std::vector<CategoryScore> perCategory;
    // Indexes into the paper's questions that were answered wrongly or not
    // at all, in paper order.
    std::vector<int> wrong;

    // Scores the responses (one per question, normalised; empty = not
    // answered): pointsEach for each right answer, a 多选 only when exactly
    // right.
    static ExamResult of(const DrawnPaper& paper, const QStringList& responses, qint64 usedMs,
                         Ending ending);

    // The answers as kept with the paper in the progress store: one object
    // per question in paper order, {"identity", "kind", "category",
    // "answer" (the right one), "response" (the learner's, "" for none),
    // "right" (bool)}.
    static QJsonArray answersJson(const DrawnPaper& paper, const QStringList& responses);
};
