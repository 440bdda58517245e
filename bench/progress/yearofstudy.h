// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QHash>
#include <QRandomGenerator>
#include <QStringList>
#include <vector>

#include "questionbank/progressstore.h"

// A year of evenings of study on a bank, for the benches: every question due
// by then, and 20 new ones, graded forgot 10%, vague 15%, knew 60%, easy 15%.
// Seeded, so every run studies the same year.
namespace YearOfStudy {

struct Year {
    std::vector<ProgressStore::Review> reviews;  // in time order
    QHash<QString, Fsrs::Card> cards;
    qint64 endMs = 0;  // a minute after the last grade
};

inline Fsrs::Grade randomGrade(QRandomGenerator& rng) {
    const int roll = int(rng.bounded(100));
    return roll < 10   ? Fsrs::Grade::Forgot
           : roll < 25 ? Fsrs::Grade::Vague
           : roll < 85 ? Fsrs::Grade::Knew
                       : Fsrs::Grade::Easy;
}

inline Year make(const QStringList& bank, const Fsrs& fsrs, int days = 365,
                 QDate first = QDate(2025, 6, 1)) {
    QRandomGenerator rng(2026);
    Year y;
    int introduced = 0;
    for (int day = 0; day < days; ++day) {
        qint64 t = first.addDays(day).startOfDay().toMSecsSinceEpoch() + 19 * 3600 * 1000LL;
        const qint64 evening = t;
        for (int i = 0; i < introduced; ++i) {
            Fsrs::Card& c = y.cards[bank[i]];
            if (c.dueMs > evening + 4 * 3600 * 1000LL) continue;
            const Fsrs::Grade g = randomGrade(rng);
            c = fsrs.review(c, g, t += 20000);
            y.reviews.push_back({bank[i], t, g});
        }
        for (int n = 0; n < 20 && introduced < bank.size(); ++n, ++introduced) {
            const Fsrs::Grade g = randomGrade(rng);
            y.cards[bank[introduced]] = fsrs.review({}, g, t += 20000);
            y.reviews.push_back({bank[introduced], t, g});
        }
        y.endMs = t + 60000;
    }
    return y;
}

}  // namespace YearOfStudy
