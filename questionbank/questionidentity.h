// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <array>

namespace SQLite {
class Database;
}

// What makes a question the same question: its text, its four option texts
// and its picture's bytes. Two rows with the same text and another picture,
// or other options, are two questions. The learner's progress is keyed on
// this, so its form must never change once progress has been written.
//
// Canonical form: the ASCII tag "quillmere-question-identity/1", then six
// fields in this order: the question text, options A, B, C, D (each as its
// UTF-8 bytes, exactly as stored: no trimming, no case folding) and the
// picture (the image file's bytes; empty for none). Each field is preceded by
// its length in bytes as an unsigned 64-bit big-endian number, so that no two
// different questions share a form. The identity is the SHA-256 of that form
// (FIPS 180-4), written as 64 lowercase hexadecimal digits.
namespace QuestionIdentity {

using Options = std::array<QString, 4>;

QString of(const QString& text, const Options& options, const QByteArray& picture);

// The column that holds each row's identity under a unique index, in files
// whose key is the identity. A file without it keeps its unique key on the
// question text.
inline const QString kColumn = QStringLiteral("identity");

bool keyed(SQLite::Database& db);
// Adds the column and its unique index (inside the caller's transaction).
void addKey(SQLite::Database& db);
// Stores the identity of the row from its stored text, options and picture;
// nothing in a file without the column. Throws SQLite::Exception, with the
// unique-constraint code when another row is the same question.
void refresh(SQLite::Database& db, qint64 rowid);

}  // namespace QuestionIdentity
