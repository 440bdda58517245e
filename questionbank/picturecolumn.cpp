// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/picturecolumn.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace PictureColumn {
namespace {
QStringList columns(SQLite::Database& db) {
    QStringList names;
    SQLite::Statement q(db, "SELECT name FROM pragma_table_info('Word')");
    while (q.executeStep()) names << QString::fromUtf8(q.getColumn(0).getText());
    return names;
}
}  // namespace

bool exists(SQLite::Database& db) {
    return columns(db).contains(kName, Qt::CaseInsensitive);
}

void add(SQLite::Database& db) {
    db.exec("ALTER TABLE Word ADD COLUMN picture BLOB");
}

QStringList otherColumns(SQLite::Database& db) {
    QStringList names = columns(db);
    names.removeIf([](const QString& n) { return n.compare(kName, Qt::CaseInsensitive) == 0; });
    return names;
}

}  // namespace PictureColumn
