// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <vector>

#include "questionbank/bankschema.h"
#include "study/mockexam/examquestion.h"
#include "study/mockexam/paperdraw.h"

// Questions made for the mock exam's tests: every one distinct, its answer
// known from its number, so a test can answer a paper right or wrong.
namespace ExamFixture {

// The n-th question of a kind in a category, as a bank file row. Judgements
// alternate 正确/错误; single choices have answer A..D by n; multiple
// choices have AC or ABD.
BankSchema::Question row(const QString& category, const QString& kind, int n,
                         const QByteArray& picture = {});
// The same question as the reader gives it (row and identity left as the
// caller needs: identity from the number, source the bank).
ExamQuestion question(const QString& category, const QString& kind, int n);

// count questions of each kind in each category.
std::vector<ExamQuestion> pool(const QStringList& categories, int judge, int single, int multiple);
std::vector<BankSchema::Question> rows(const QStringList& categories, int judge, int single,
                                       int multiple);

// A response that is wrong for q (never empty).
QString wrongResponse(const ExamQuestion& q);

// A paper drawn from a pool big enough for the rules.
DrawnPaper paper(const PaperRules& rules, quint32 seed = 7);

}  // namespace ExamFixture
