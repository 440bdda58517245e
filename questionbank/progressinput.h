// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "questionbank/progresssummary.h"

class ProgressStore;

// Reads what the progress summary is worked out from: the questions of the
// bank and of the personal list, and the learner's cards, reviews and
// papers. Only reads; a file that cannot be read leaves its part empty and
// adds a sentence for the learner to `problems`.
namespace ProgressInput {

// Every row of a question file as category, identity and kind. The identity
// comes from the file's identity column where it has one, else it is worked
// out from the text, options and picture. Throws DbError.
std::vector<ProgressSummary::Question> readQuestions(const QString& path,
                                                     const QString& connect = {});

struct Gathered {
    ProgressSummary::Input input;
    QStringList problems;
};

// reg.ocx and word.ocx in folder, and the store (null: it could not be
// opened, so every question counts as new).
Gathered gather(const QString& folder, ProgressStore* store, qint64 nowMs);

}  // namespace ProgressInput
