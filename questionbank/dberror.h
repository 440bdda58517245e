// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <stdexcept>

namespace SQLite {
class Exception;
}

// A database failure with the engine error number the programs tell apart
// (3022 for a duplicate key) and a message for the user.
class DbError : public std::runtime_error {
public:
    enum Number {
        DuplicateKey = 3022,
        DiskFull = 3026,
        FileNotFound = 3024,
        BadPassword = 3031,
        FileInUse = 3045,
        Damaged = 3049,
        ReadOnly = 3051,
        NoTable = 3078,
        NoCurrentRecord = 3021,
        CannotUpdate = 3027,
        ItemNotFound = 3265,
        NotADatabase = 3343,
        IoError = 3040,
        Other = 3000,
    };

    DbError(int number, const QString& message);
    int number() const { return number_; }
    QString message() const { return message_; }

    // The error for a failure reported by SQLite while working on a file.
    static DbError fromSqlite(const SQLite::Exception& e, const QString& file);
    static DbError make(Number number, const QString& file);

private:
    int number_;
    QString message_;
};
