// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

struct ExamFields;

// How the display writes out an exam-form question: the options each on a
// line of their own under the question, the answer as its letters with their
// texts, the explanation after it. A question without a kind is left as it
// is, so a plain bank reads exactly as before.
namespace ExamText {

// The question, then "A. …" to "D. …" for the options it has. Between a
// label and its text stands a no-break space, so a line never ends on a
// bare "A.".
QString question(const QString& text, const ExamFields& fields);

// The answer of a choice question as "B 违法行为" (several letters: each with
// its text, joined by "；"); a true-or-false answer as it is stored. An
// answer whose letters name no option is shown as stored. With
// `withExplanation`, "解析：…" follows on a line of its own.
QString answer(const QString& stored, const ExamFields& fields, bool withExplanation);

// Whether the display puts the answer marker on a line of its own.
bool isExamForm(const ExamFields& fields);

}  // namespace ExamText
