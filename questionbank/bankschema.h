// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "questionbank/examfields.h"

namespace SQLite {
class Database;
}

// Writing the two question files. Only the tool that builds them and the
// tests create files; the programs never do.
namespace BankSchema {

struct Question {
    QString category;  // empty in the personal list
    QString question;
    QString answer;
    QByteArray picture;  // the image file's bytes; empty: none
    ExamFields exam;     // all empty: a plain question
    // Its QuestionIdentity, where the caller has already worked it out (it
    // reads every picture's bytes once more); empty: build() works it out.
    QString identity;
};

enum class Kind { Bank, PersonalList };

// Files written before pictures came have no picture column; they are made
// only for tests of that case. A file with the picture column is keyed on
// the question's identity (text, options and picture; see QuestionIdentity),
// one without it on the question text, as before.
enum class Pictures { WithColumn, WithoutColumn };

// Creates the table Word (and, for the bank, its category index, in whose
// order the display shows a category: the order of addition) in an empty
// database. The bank has a category field; the personal list needs none.
// withExam adds the columns of exam-form questions.
void create(SQLite::Database& db, Kind kind, Pictures pictures = Pictures::WithColumn,
            bool withExam = false);

// True when the field "index" of table Word is SQLite's row id (an INTEGER
// PRIMARY KEY of a table with row ids), as in the files create() writes. Only
// then does an index value name exactly one row, for good; the editors write
// to no other file. Throws SQLite::Exception when the schema cannot be read.
bool indexIsRowId(SQLite::Database& db);

// True when the bank's category index also orders by the question text, as
// in banks written before the display followed the bank's own order: such a
// bank shows each category in the order of its text until it is built again.
// The programs never change the index of a user's file just for the order.
bool categoryInTextOrder(SQLite::Database& db);

// True when another connection holds the file at path locked (an editor has
// it open for exclusive use). A missing file or one that is no database is
// not in use.
bool inUse(const QString& path);

// Builds a complete file at `path` through a temporary file beside it that is
// renamed at the end, so that a failure never leaves a half-built file.
// An existing file at path is locked while it is replaced; a file in use is
// left as it was and the build fails with DbError (FileInUse).
// password empty: unprotected. The exam-form columns are written only when a
// question has something in them. Throws std::runtime_error with a message.
void build(const QString& path, Kind kind, const std::vector<Question>& questions,
           const QString& password, Pictures pictures = Pictures::WithColumn);

}  // namespace BankSchema
