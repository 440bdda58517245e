// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl's CSV reading over arbitrary bytes: what it accepts is a list of
// complete questions in known categories, without repeats (same text,
// options and picture), and writing that list out and reading it again gives
// the same list, pictures and exam fields included.
#include <QSet>
#include <QStringList>
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

// A question is its text, its options and its picture.
QString identity(const BankSchema::Question& q, const QString& picture) {
    QStringList parts{q.question};
    for (const QString& o : q.exam.options) parts << o;
    parts << picture;
    return parts.join(QChar(0));
}

void check(const QByteArray& text, bool withCategory) {
    const BankCsv::Result r = BankCsv::parse(text, withCategory);
    if (!r.ok()) {
        require(r.questions.empty());
        return;
    }
    require(r.pictures.size() == qsizetype(r.questions.size()));
    QSet<QString> seen;
    bool withExam = false;
    for (size_t i = 0; i < r.questions.size(); ++i) {
        const auto& q = r.questions[i];
        require(!blank(q.question) && !blank(q.answer));
        require(!withCategory || Categories::names().contains(q.category));
        const QString id = identity(q, r.pictures[qsizetype(i)]);
        require(!seen.contains(id));
        seen.insert(id);
        withExam = withExam || !q.exam.isEmpty();
    }
    const BankCsv::Result again = BankCsv::parse(
        BankCsv::write(r.questions, withCategory, r.pictures, withExam), withCategory);
    require(again.ok() && again.questions.size() == r.questions.size());
    for (size_t i = 0; i < r.questions.size(); ++i) {
        require(again.questions[i].question == r.questions[i].question);
        require(again.questions[i].answer == r.questions[i].answer);
        require(again.questions[i].category == r.questions[i].category);
        require(again.questions[i].exam == r.questions[i].exam);
        require(again.pictures[qsizetype(i)] == r.pictures[qsizetype(i)]);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    check(text, true);
    check(text, false);
    return 0;
}
