// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <random>
#include <vector>

#include "study/mockexam/examquestion.h"
#include "study/mockexam/paperrules.h"

// A paper as drawn: its rules (possibly shortened) and its questions in the
// order they are asked (by kind as the rules list them, shuffled within).
struct DrawnPaper {
    PaperRules rules;
    std::vector<ExamQuestion> questions;
    // The time the learner has: the rules' time, or QUILLMERE_EXAM_SECONDS
    // seconds when that variable holds a positive whole number (for
    // end-to-end tests of the clock running out).
    qint64 durationMs = 0;

    QString name() const { return rules.name; }
};

// Draws papers at random from a bank's questions: for each kind of the
// rules, that many distinct questions (by identity) from the rules'
// categories, every candidate equally likely, so the categories feed in
// proportion to their size.
class PaperDraw {
public:
    // What a bank lacks for a paper.
    struct Shortage {
        struct Kind {
            QString kind;
            int needed = 0;
            int available = 0;  // distinct questions of the kind in the paper's categories
        };
        std::vector<Kind> kinds;  // every kind of the paper, short or not
        // The shorter paper the bank can make: every kind takes what the
        // bank has, up to the rules' count (see PaperRules::shortened);
        // questionCount() == 0 when the bank has none at all.
        PaperRules shorter;

        bool isShort() const;
        // In Chinese, one line per short kind, then the offer, e.g.
        // "题库中科目四可用的多选题只有 6 道，需要 10 道。\n可以改考 46 题、28
        // 分钟的科目四（46题）。"
        QString text() const;
    };

    // seed: the same seed and questions give the same paper (tests); without
    // one the draw is random.
    explicit PaperDraw(std::vector<ExamQuestion> questions, std::optional<quint32> seed = {});

    // What the bank lacks for the rules; isShort() is false when the full
    // paper can be drawn.
    Shortage check(const PaperRules& rules) const;
    // Draws the paper; when the bank is short for these rules the paper is
    // drawn from what there is, as check().shorter says.
    DrawnPaper draw(const PaperRules& rules);

    // The time a paper of these rules runs: QUILLMERE_EXAM_SECONDS if set
    // and valid, else the rules' duration.
    static qint64 durationFor(const PaperRules& rules);

    const std::vector<ExamQuestion>& questions() const { return questions_; }

private:
    std::vector<int> candidates(const PaperRules& rules, const QString& kind) const;

    std::vector<ExamQuestion> questions_;
    std::mt19937 engine_;
};
