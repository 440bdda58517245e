// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>

namespace SQLite {
class Database;
}

// One of the two question files opened with the engine. A file that is
// missing, not a database, damaged, locked by another program, or protected
// by a password the caller does not give fails to open with a DbError; the
// file is never created, written or replaced on the way.
class Database {
public:
    struct Options {
        // Take and hold the file lock, so that every other open fails while
        // this one lasts.
        bool exclusive = false;
        bool readOnly = false;
    };

    // connect is a connect text such as ";pwd=57302419" or "Access 2000;".
    static std::shared_ptr<Database> open(const QString& path, Options options,
                                          const QString& connect = {});
    ~Database();

    const QString& path() const { return path_; }
    // The connect text the file was opened with, to open it again.
    const QString& connectText() const { return connect_; }
    SQLite::Database& sqlite() { return *db_; }

    // The password named in a connect text ("pwd=" entry), empty if none.
    static QString passwordOf(const QString& connect);
    // Records the password in a file that is being built; see open().
    static void protect(SQLite::Database& db, const QString& password);

private:
    Database(const QString& path, std::unique_ptr<SQLite::Database> db);
    void checkPassword(const QString& connect);
    QString path_;
    QString connect_;
    std::unique_ptr<SQLite::Database> db_;
};
