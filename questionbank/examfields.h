// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <array>

class RecordSet;
namespace SQLite {
class Database;
}

// What an exam-form question has beyond its text and answer: its kind, four
// option texts and an explanation. All are optional columns of table Word; a
// file without them reads as empty fields and works as before. For a choice
// question the answer is its letter or letters ("B", "ABD"); for a
// true-or-false question it is 正确 or 错误.
struct ExamFields {
    QString kind;  // kJudge, kSingle, kMultiple or empty: a plain question
    std::array<QString, 4> options;
    QString explanation;

    bool isEmpty() const;
    bool hasOptions() const;
    bool operator==(const ExamFields&) const = default;

    // The current record's fields, or those of the record at `row`.
    static ExamFields of(const RecordSet& set);
    static ExamFields at(const RecordSet& set, int row);
};

namespace ExamKind {
inline const QString kJudge = QStringLiteral("判断");
inline const QString kSingle = QStringLiteral("单选");
inline const QString kMultiple = QStringLiteral("多选");
bool known(const QString& kind);  // one of the three, or empty
}  // namespace ExamKind

namespace ExamColumns {
inline const QString kKind = QStringLiteral("kind");
inline const QString kExplanation = QStringLiteral("explanation");
// "option_a" .. "option_d".
QString option(int i);
// In table order: kind, option_a .. option_d, explanation.
const QStringList& names();
bool isExamColumn(const QString& name);  // any case

bool exist(SQLite::Database& db);
// All six at once, inside the caller's transaction; only a write that
// stores something in them adds them.
void add(SQLite::Database& db);
}  // namespace ExamColumns

namespace ExamAnswer {
// The answer as stored: for 判断, 对/√ become 正确 and 错/× 错误; for choice
// questions the letters are upper-cased, separators (blanks, commas, 、)
// dropped and the letters put in order. Other answers are left as they are.
QString normalised(const QString& kind, const QString& answer);
// What is wrong with a question of this kind and this (normalised) answer,
// in Chinese, one entry per problem; empty when it is sound.
QStringList problems(const ExamFields& fields, const QString& answer);
}  // namespace ExamAnswer
