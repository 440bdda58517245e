// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

#include "questionbank/fsrs.h"

// Which question to show next, from the bank's questions in their order and
// the learner's progress: a question that is due, the most overdue first;
// else a question never seen, in bank order, while fewer than the daily
// limit of new questions were begun today; else the question whose predicted
// recall is lowest now. Ties go to the earlier question in the bank.
class NextQuestion {
public:
    static constexpr int kDefaultDailyNewLimit = 20;

    enum class Reason { None, Due, New, LowestRecall };
    struct Choice {
        QString identity;   // empty only for an empty bank
        int position = -1;  // in the bank's order
        Reason reason = Reason::None;
    };

    // bankOrder: the identities as the store keeps them (lower-case hex).
    // cards: every question graded so far (questions of other banks may be
    // among them: they count towards today's new questions).
    static Choice choose(const QStringList& bankOrder, const QHash<QString, Fsrs::Card>& cards,
                         qint64 nowMs, int dailyNewLimit = kDefaultDailyNewLimit);
    // Questions first graded on the local calendar day of nowMs.
    static int begunOn(const QHash<QString, Fsrs::Card>& cards, qint64 nowMs);
};
