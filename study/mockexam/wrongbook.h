// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QVariantMap>
#include <functional>
#include <vector>

#include "questionbank/progressstore.h"
#include "study/mockexam/examquestion.h"
#include "study/mockexam/examresult.h"
#include "study/mockexam/paperdraw.h"

class ExamBankReader;

// "Into the book": puts the wrong and unanswered questions of a paper into
// the personal list, each once, and grades each 忘了 in the progress store.
namespace WrongBook {

enum class Added { Added, AlreadyThere, Failed };
// Adds one question (its fields as ExamBankReader::listFields gives them) to
// the personal list: Study passes PersonalList::add, which refuses a
// question that is there already.
using ListAdder = std::function<Added(const QVariantMap& question)>;
using StoreSource = std::function<ProgressStore*()>;

struct Outcome {
    int added = 0;
    int alreadyThere = 0;
    int failed = 0;  // could not be read or added
    int graded = 0;
    bool storeFaulted = false;
    // What the window says, in Chinese, e.g. "已加入生词本 12 道，已在其中 3 道。"
    QString text() const;
};

// The questions of a paper that the result has as wrong or unanswered.
std::vector<ExamQuestion> wrongOf(const DrawnPaper& paper, const ExamResult& result);

// Each distinct question (by identity) once, in the order given. Questions
// of the personal list itself are graded but not added again.
Outcome put(const std::vector<ExamQuestion>& questions, ExamBankReader& reader,
            const ListAdder& add, const StoreSource& store, qint64 nowMs);

}  // namespace WrongBook
