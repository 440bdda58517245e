// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/nextquestion.h"

#include <QDateTime>
#include <limits>

int NextQuestion::begunOn(const QHash<QString, Fsrs::Card>& cards, qint64 nowMs) {
    const QDate today = QDateTime::fromMSecsSinceEpoch(nowMs).date();
    const qint64 start = today.startOfDay().toMSecsSinceEpoch();
    const qint64 end = today.addDays(1).startOfDay().toMSecsSinceEpoch();
    int n = 0;
    for (const Fsrs::Card& c : cards)
        if (!c.isNew() && c.firstMs >= start && c.firstMs < end) ++n;
    return n;
}

NextQuestion::Choice NextQuestion::choose(const QStringList& bankOrder,
                                          const QHash<QString, Fsrs::Card>& cards, qint64 nowMs,
                                          int dailyNewLimit) {
    int due = -1, fresh = -1, weakest = -1;
    qint64 earliestDue = std::numeric_limits<qint64>::max();
    double lowestRecall = 2;
    for (int i = 0; i < bankOrder.size(); ++i) {
        const auto it = cards.constFind(bankOrder[i]);
        if (it == cards.cend() || it->isNew()) {
            if (fresh < 0) fresh = i;
            continue;
        }
        if (it->dueMs <= nowMs) {
            if (it->dueMs < earliestDue) earliestDue = it->dueMs, due = i;
            continue;
        }
        // Only worth working out while nothing is due.
        if (due >= 0) continue;
        const double recall = Fsrs::retrievabilityAt(*it, nowMs);
        if (recall < lowestRecall) lowestRecall = recall, weakest = i;
    }
    if (due >= 0) return {bankOrder[due], due, Reason::Due};
    if (fresh >= 0 && begunOn(cards, nowMs) < dailyNewLimit)
        return {bankOrder[fresh], fresh, Reason::New};
    if (weakest >= 0) return {bankOrder[weakest], weakest, Reason::LowestRecall};
    // Every question is new and today's allowance is spent: a new one rather than none.
    if (fresh >= 0) return {bankOrder[fresh], fresh, Reason::New};
    return {};
}
