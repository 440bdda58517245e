// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/bankschema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturecolumn.h"

namespace BankSchema {

namespace {

bool isLockError(const SQLite::Exception& e) {
    const int primary = e.getErrorCode() & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Takes the exclusive lock of an existing file, so that no editor can be
// using it, and keeps it while the connection lasts. Empty when the file is
// missing or is no database. Throws DbError (FileInUse) when it is locked.
std::unique_ptr<SQLite::Database> lockExisting(const QString& path) {
    if (!QFileInfo::exists(path)) return nullptr;
    try {
        auto db = std::make_unique<SQLite::Database>(path.toStdString(), SQLite::OPEN_READWRITE, 0);
        db->exec("PRAGMA locking_mode=EXCLUSIVE");
        db->exec("BEGIN EXCLUSIVE");
        return db;
    } catch (const SQLite::Exception& e) {
        if (isLockError(e)) throw DbError::make(DbError::FileInUse, path);
        return nullptr;  // not a database: nobody can hold it open
    }
}

}  // namespace

bool indexIsRowId(SQLite::Database& db) {
    // SQLite makes only a lone INTEGER PRIMARY KEY of a table with row ids
    // an alias of the row id. Every other primary key (INT, TEXT, DESC,
    // WITHOUT ROWID, several columns) gets an index of its own.
    bool indexIsKey = false;
    SQLite::Statement cols(db, "SELECT name, pk FROM pragma_table_info('Word')");
    while (cols.executeStep())
        if (QString::fromUtf8(cols.getColumn(0).getText())
                .compare(QLatin1String("index"), Qt::CaseInsensitive) == 0)
            indexIsKey = cols.getColumn(1).getInt() > 0;
    if (!indexIsKey) return false;
    SQLite::Statement keyIndex(db, "SELECT 1 FROM pragma_index_list('Word') WHERE origin = 'pk'");
    return !keyIndex.executeStep();
}

bool categoryInTextOrder(SQLite::Database& db) {
    SQLite::Statement q(db, "SELECT count(*) FROM pragma_index_info('WordCategory')");
    return q.executeStep() && q.getColumn(0).getInt() > 1;
}

bool inUse(const QString& path) {
    try {
        lockExisting(path);
        return false;
    } catch (const DbError&) {
        return true;
    }
}

void create(SQLite::Database& db, Kind kind, Pictures pictures) {
    if (kind == Kind::Bank) {
        db.exec(
            "CREATE TABLE Word (\"index\" INTEGER PRIMARY KEY AUTOINCREMENT, English TEXT UNIQUE, "
            "Chinese TEXT, category TEXT)");
        // Without it the category query reads the whole table. On the
        // category alone, its entries run in row order within a category, so
        // the display, whose query has no ORDER BY, shows a category in the
        // order the questions were added (an imported bank: its CSV's order).
        db.exec("CREATE INDEX WordCategory ON Word (category)");
        // The display reads every record's text at start; without this it
        // walks the table's pages, which pictures spread through the file.
        // Its order is the row order, so a scan of it gives the table's order.
        db.exec("CREATE INDEX WordText ON Word (\"index\", English, Chinese, category)");
    } else {
        db.exec(
            "CREATE TABLE Word (\"index\" INTEGER PRIMARY KEY AUTOINCREMENT, English TEXT UNIQUE, "
            "Chinese TEXT)");
    }
    if (pictures == Pictures::WithColumn) PictureColumn::add(db);
}

void build(const QString& path, Kind kind, const std::vector<Question>& questions,
           const QString& password, Pictures pictures) {
    const QString tmp = path + QStringLiteral(".building");
    QFile::remove(tmp);
    try {
        {
            SQLite::Database db(tmp.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec("PRAGMA synchronous=FULL");
            SQLite::Transaction tx(db);
            create(db, kind, pictures);
            if (!password.isEmpty()) Database::protect(db, password);
            SQLite::Statement ins(
                db, kind == Kind::Bank
                        ? "INSERT INTO Word (English, Chinese, category) VALUES (?, ?, ?)"
                        : "INSERT INTO Word (English, Chinese) VALUES (?, ?)");
            for (const Question& q : questions) {
                ins.reset();
                ins.bind(1, q.question.toStdString());
                ins.bind(2, q.answer.toStdString());
                if (kind == Kind::Bank) ins.bind(3, q.category.toStdString());
                ins.exec();
                if (!q.picture.isEmpty()) {
                    if (pictures == Pictures::WithoutColumn)
                        throw std::runtime_error("a picture for a file without the picture column");
                    SQLite::Statement pic(db, "UPDATE Word SET picture = ? WHERE rowid = ?");
                    pic.bind(1, q.picture.constData(), int(q.picture.size()));
                    pic.bind(2, static_cast<int64_t>(db.getLastInsertRowid()));
                    pic.exec();
                }
            }
            tx.commit();
        }
        // rename(2) replaces an old file in one step; its lock, held until
        // then, keeps an editor from opening the old file meanwhile.
        const auto lock = lockExisting(path);
        if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) !=
            0)
            throw std::runtime_error("cannot rename " + tmp.toStdString() + " to " +
                                     path.toStdString());
    } catch (...) {
        QFile::remove(tmp);
        throw;
    }
}

}  // namespace BankSchema
