// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl's CSV reading over arbitrary bytes: what it accepts is a list of
// complete questions in known categories, without repeats, and writing that
// list out and reading it again gives the same list.
#include <QSet>
#include <cstdlib>

#include "questionbank/categories.h"
#include "tools/bankcsv.h"

namespace {
void require(bool ok) {
    if (!ok) std::abort();
}

// The editors' rule: only U+0020 blanks make a text empty.
bool blank(const QString& s) {
    for (QChar c : s)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

void check(const QByteArray& text, bool withCategory) {
    const BankCsv::Result r = BankCsv::parse(text, withCategory);
    if (!r.ok()) {
        require(r.questions.empty());
        return;
    }
    QSet<QString> seen;
    for (const auto& q : r.questions) {
        require(!blank(q.question) && !blank(q.answer));
        require(!withCategory || Categories::names().contains(q.category));
        require(!seen.contains(q.question));
        seen.insert(q.question);
    }
    const BankCsv::Result again = BankCsv::parse(BankCsv::write(r.questions, withCategory), withCategory);
    require(again.ok() && again.questions.size() == r.questions.size());
    for (size_t i = 0; i < r.questions.size(); ++i) {
        require(again.questions[i].question == r.questions[i].question);
        require(again.questions[i].answer == r.questions[i].answer);
        require(again.questions[i].category == r.questions[i].category);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    check(text, true);
    check(text, false);
    return 0;
}
