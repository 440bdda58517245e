// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <algorithm>
#include <optional>

#include "bench/progress/yearofstudy.h"
#include "questionbank/dberror.h"
#include "questionbank/progressinput.h"
#include "questionbank/queries.h"

// progress.db beside the reg.ocx in folder, filled with a year of study of
// up to `studied` of its questions from `first` on, and a mock exam a week.
namespace StudiedBank {

struct Studied {
    int rows = 0;  // of the bank
    size_t reviews = 0;
    qint64 endMs = 0;
};

inline std::optional<Studied> fill(const QString& folder, int studied, QDate first, QString* why) {
    Studied s;
    QStringList ids;
    try {
        const auto bank = ProgressInput::readQuestions(
            folder + QLatin1Char('/') + Queries::kBankFile, Queries::kBankConnect);
        s.rows = int(bank.size());
        for (const auto& q : bank)
            if (ids.size() < studied && !ids.contains(q.identity)) ids << q.identity;
    } catch (const DbError& e) {
        *why = e.message();
        return std::nullopt;
    }
    auto store = ProgressStore::open(folder, Fsrs(), nullptr, why);
    if (!store) return std::nullopt;
    const YearOfStudy::Year year = YearOfStudy::make(ids, store->scheduler(), 365, first);
    if (!store->recordGrades(year.reviews)) {
        *why = store->failure();
        return std::nullopt;
    }
    // Scores that climb through the year towards the pass line and beyond.
    int week = 0;
    for (qint64 t = year.endMs - 52 * 7 * Fsrs::kDayMs; t < year.endMs; t += 7 * Fsrs::kDayMs) {
        const int score = std::min(100, 55 + week * 4 / 5 + int((t / Fsrs::kDayMs) % 7));
        store->addPaper({0,
                         t,
                         week % 2 ? QStringLiteral("科目四") : QStringLiteral("科目一"),
                         score,
                         1800000,
                         {}});
        ++week;
    }
    s.reviews = year.reviews.size();
    s.endMs = year.endMs;
    return s;
}

}  // namespace StudiedBank
