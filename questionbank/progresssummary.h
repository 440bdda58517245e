// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

#include "questionbank/fsrs.h"
#include "questionbank/progressstore.h"

// What the progress window shows, worked out from the bank's questions and
// the learner's progress at one moment; no widgets, no files.
//
// Each question is in exactly one of three states: new (never graded),
// learning (graded, predicted recall now below 90%) or known (graded,
// predicted recall now at least 90%). Due today is counted apart and overlaps
// the other two: graded questions whose next review falls before the end of
// the local day (most of them still learning, a few known until this
// evening). A new question is never due; it waits for the daily quota of new
// questions instead.
namespace ProgressSummary {

// Recall at or above this counts as known.
inline constexpr double kKnownRecall = 0.9;
inline constexpr int kDays = 30;
// Both papers, 科目一 and 科目四, are passed with 90 of 100.
inline constexpr int kPassScore = 90;

struct Question {
    QString category;
    QString identity;
    QString kind;  // ExamKind::kJudge, kSingle, kMultiple or empty
};

struct Counts {
    int total = 0, fresh = 0, learning = 0, known = 0, due = 0;
};

struct Row {
    QString name;  // a category, 生词本, or 全部题目 for the whole bank
    Counts counts;
};

struct Day {
    QDate day;
    int reviews = 0;
    // Mean predicted recall over the bank's questions at the day's end (for
    // today: now); a question not yet graded by then counts 0.
    double meanRecall = 0;
};

struct Estimate {
    int questions = 0;  // exam-kind questions in the bank; 0: no estimate
    double score = 0;   // of 100
};

struct Input {
    std::vector<Question> bank;      // reg.ocx
    std::vector<Question> personal;  // word.ocx
    QHash<QString, Fsrs::Card> cards;
    std::vector<ProgressStore::Review> reviews;  // all up to now, in time order
    std::vector<ProgressStore::Paper> papers;
    qint64 nowMs = 0;
};

struct Summary {
    std::vector<Row> rows;  // the ten categories, the personal list, the whole bank
    std::vector<Day> days;  // the last kDays local days, today last
    Estimate estimate;
    std::vector<ProgressStore::Paper> papers;  // in time order
};

Summary summarise(const Input& input, const Fsrs& scheduler = Fsrs());

// Counts of questions against their cards at nowMs. Questions that share an
// identity are counted once.
Counts count(const std::vector<const Question*>& questions, const QHash<QString, Fsrs::Card>& cards,
             qint64 nowMs);

// The chance of guessing a question of this kind right: 判断 1/2, 单选 1/4,
// 多选 1/11 (the answer is one of the 11 subsets of two to four of the four
// options); 0 for a question that is not of an exam kind.
double chance(const QString& kind);

// The expected score of 100 on a paper drawn evenly from the bank's exam-kind
// questions: the mean over them of the predicted recall now, a question never
// graded at chance.
Estimate estimate(const std::vector<Question>& bank, const QHash<QString, Fsrs::Card>& cards,
                  qint64 nowMs);

// A paper's score on the scale of 100: the share of its questions answered
// right. A full paper's points already are that share (100 questions of one
// point, 50 of two), but a shorter paper drawn from a small bank has fewer
// points, so its raw score would sit wrongly against the pass line of 90. A
// paper kept without its answers counts its score as it stands.
double scoreOf100(const ProgressStore::Paper& paper);

// Reviews and mean recall per day, replaying the reviews once in time order.
std::vector<Day> history(const std::vector<Question>& bank,
                         const std::vector<ProgressStore::Review>& reviews, qint64 nowMs,
                         const Fsrs& scheduler);

}  // namespace ProgressSummary
