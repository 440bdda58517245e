// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/progresssummary.h"

#include <QJsonObject>

#include <QDateTime>
#include <QSet>
#include <algorithm>

#include "questionbank/categories.h"
#include "questionbank/examfields.h"

namespace ProgressSummary {

namespace {

qint64 endOfDay(QDate day) {
    return day.addDays(1).startOfDay().toMSecsSinceEpoch();
}

std::vector<const Question*> all(const std::vector<Question>& questions) {
    std::vector<const Question*> out;
    out.reserve(questions.size());
    for (const Question& q : questions) out.push_back(&q);
    return out;
}

// The bank's distinct identities, each with a slot for its replayed card.
struct Replay {
    QHash<QString, int> slot;
    std::vector<Fsrs::Card> cards;

    explicit Replay(const std::vector<Question>& bank) {
        slot.reserve(qsizetype(bank.size()));
        for (const Question& q : bank)
            if (!slot.contains(q.identity)) slot.insert(q.identity, int(slot.size()));
        cards.resize(size_t(slot.size()));
    }
    double meanRecall(qint64 atMs) const {
        if (cards.empty()) return 0;
        double sum = 0;
        for (const Fsrs::Card& c : cards) sum += Fsrs::retrievabilityAt(c, atMs);
        return sum / double(cards.size());
    }
};

}  // namespace

Counts count(const std::vector<const Question*>& questions, const QHash<QString, Fsrs::Card>& cards,
             qint64 nowMs) {
    Counts c;
    const qint64 dueBefore = endOfDay(QDateTime::fromMSecsSinceEpoch(nowMs).date());
    QSet<QString> seen;
    for (const Question* q : questions) {
        if (seen.contains(q->identity)) continue;
        seen.insert(q->identity);
        ++c.total;
        const auto it = cards.constFind(q->identity);
        if (it == cards.cend() || it->isNew()) {
            ++c.fresh;
            continue;
        }
        if (Fsrs::retrievabilityAt(*it, nowMs) >= kKnownRecall)
            ++c.known;
        else
            ++c.learning;
        if (it->dueMs < dueBefore) ++c.due;
    }
    return c;
}

double chance(const QString& kind) {
    if (kind == ExamKind::kJudge) return 1.0 / 2;
    if (kind == ExamKind::kSingle) return 1.0 / 4;
    // C(4,2) + C(4,3) + C(4,4) = 6 + 4 + 1 answers a learner could give.
    if (kind == ExamKind::kMultiple) return 1.0 / 11;
    return 0;
}

Estimate estimate(const std::vector<Question>& bank, const QHash<QString, Fsrs::Card>& cards,
                  qint64 nowMs) {
    Estimate e;
    double sum = 0;
    QSet<QString> seen;
    for (const Question& q : bank) {
        const double guess = chance(q.kind);
        if (guess == 0 || seen.contains(q.identity)) continue;
        seen.insert(q.identity);
        ++e.questions;
        const auto it = cards.constFind(q.identity);
        const bool graded = it != cards.cend() && !it->isNew();
        sum += graded ? Fsrs::retrievabilityAt(*it, nowMs) : guess;
    }
    if (e.questions > 0) e.score = 100.0 * sum / e.questions;
    return e;
}

std::vector<Day> history(const std::vector<Question>& bank,
                         const std::vector<ProgressStore::Review>& reviews, qint64 nowMs,
                         const Fsrs& scheduler) {
    const QDate today = QDateTime::fromMSecsSinceEpoch(nowMs).date();
    const QDate first = today.addDays(1 - kDays);
    Replay replay(bank);
    std::vector<Day> days;
    days.reserve(kDays);
    size_t next = 0;
    for (QDate d = first; d <= today; d = d.addDays(1)) {
        Day day{d};
        // Reviews before the first day only bring the replay up to date.
        const qint64 dayStart = d.startOfDay().toMSecsSinceEpoch();
        const qint64 sampleMs = std::min(endOfDay(d), nowMs);
        for (; next < reviews.size() && reviews[next].timeMs < sampleMs; ++next) {
            const ProgressStore::Review& r = reviews[next];
            if (r.timeMs >= dayStart) ++day.reviews;
            const auto slot = replay.slot.constFind(r.identity);
            if (slot == replay.slot.cend()) continue;
            Fsrs::Card& c = replay.cards[size_t(*slot)];
            c = scheduler.review(c, r.grade, r.timeMs);
        }
        day.meanRecall = replay.meanRecall(sampleMs);
        days.push_back(day);
    }
    return days;
}

Summary summarise(const Input& input, const Fsrs& scheduler) {
    Summary s;
    for (const QString& category : Categories::names()) {
        std::vector<const Question*> in;
        for (const Question& q : input.bank)
            if (q.category == category) in.push_back(&q);
        s.rows.push_back({category, count(in, input.cards, input.nowMs)});
    }
    s.rows.push_back(
        {QStringLiteral("生词本"), count(all(input.personal), input.cards, input.nowMs)});
    s.rows.push_back(
        {QStringLiteral("全部题目"), count(all(input.bank), input.cards, input.nowMs)});
    s.days = history(input.bank, input.reviews, input.nowMs, scheduler);
    s.estimate = estimate(input.bank, input.cards, input.nowMs);
    s.papers = input.papers;
    std::stable_sort(s.papers.begin(), s.papers.end(),
                     [](const auto& a, const auto& b) { return a.timeMs < b.timeMs; });
    return s;
}

double scoreOf100(const ProgressStore::Paper& paper) {
    if (paper.answers.isEmpty()) return paper.score;
    int right = 0;
    for (const QJsonValue& a : paper.answers)
        if (a.toObject().value(QLatin1String("right")).toBool()) ++right;
    return 100.0 * right / paper.answers.size();
}

}  // namespace ProgressSummary
