// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>

namespace SQLite {
class Database;
}

// The optional column `picture` (BLOB: an image file's bytes) of table Word.
// A file without it works as before; it is added only by a write that
// stores a picture, never by reading.
namespace PictureColumn {

inline const QString kName = QStringLiteral("picture");

bool exists(SQLite::Database& db);
// ALTER TABLE inside the caller's transaction, so that it is undone with it.
void add(SQLite::Database& db);
// Word's columns in table order, the picture column left out.
QStringList otherColumns(SQLite::Database& db);

}  // namespace PictureColumn
