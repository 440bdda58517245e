// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/database.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "platform/logging.h"
#include "questionbank/dberror.h"

namespace {

// The password is kept as a salted digest in a table of its own. This keeps
// our programs from opening the bank without it; it is not encryption.
constexpr const char* kProtectionTable = "Protection";

QByteArray digest(const QByteArray& salt, const QString& password) {
    return QCryptographicHash::hash(salt + password.toUtf8(), QCryptographicHash::Sha256);
}

bool hasTable(SQLite::Database& db, const char* name) {
    SQLite::Statement q(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE");
    q.bind(1, name);
    return q.executeStep();
}

// A write cut short (the writer was killed, the machine lost power) leaves a
// hot journal beside the file. Only a read-write connection may roll it back;
// a read-only one fails on it with SQLITE_READONLY, so Study could not show a
// bank that Manager was writing when it died. Let SQLite restore the last
// committed state first, where the file and its folder allow it; a journal
// that is not hot (another writer still holds its lock) is left alone by SQLite.
void recoverInterruptedWrite(const QString& path, const QFileInfo& info) {
    const QFileInfo journal(path + QStringLiteral("-journal"));
    if (!journal.exists() || journal.size() == 0) return;
    if (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable()) return;
    try {
        SQLite::Database rw(path.toStdString(), SQLite::OPEN_READWRITE, 0);
        rw.exec("SELECT count(*) FROM sqlite_master");  // the first read rolls a hot journal back
        qCInfo(lcDb).noquote() << "checked" << path << "for an interrupted write";
    } catch (const SQLite::Exception& e) {
        qCDebug(lcDb).noquote() << "recovery of" << path << "not possible now:" << e.what();
    }
}

}  // namespace

Database::Database(const QString& path, std::unique_ptr<SQLite::Database> db)
    : path_(path), db_(std::move(db)) {}

Database::~Database() { qCDebug(lcDb).noquote() << "closed" << path_; }

QString Database::passwordOf(const QString& connect) {
    for (const QString& part : connect.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return {};
}

void Database::protect(SQLite::Database& db, const QString& password) {
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), 4);
    db.exec(std::string("CREATE TABLE ") + kProtectionTable + " (salt BLOB NOT NULL, digest BLOB NOT NULL)");
    SQLite::Statement ins(db, std::string("INSERT INTO ") + kProtectionTable + " VALUES (?, ?)");
    const QByteArray d = digest(salt, password);
    ins.bind(1, salt.constData(), int(salt.size()));
    ins.bind(2, d.constData(), int(d.size()));
    ins.exec();
}

void Database::checkPassword(const QString& connect) {
    if (!hasTable(*db_, kProtectionTable)) return;  // an unprotected file needs none
    SQLite::Statement q(*db_, std::string("SELECT salt, digest FROM ") + kProtectionTable);
    if (!q.executeStep()) throw DbError::make(DbError::BadPassword, path_);
    const auto salt = q.getColumn(0);
    const auto stored = q.getColumn(1);
    const QByteArray s(static_cast<const char*>(salt.getBlob()), salt.getBytes());
    const QByteArray d(static_cast<const char*>(stored.getBlob()), stored.getBytes());
    const QString pwd = passwordOf(connect);
    if (pwd.isEmpty() || digest(s, pwd) != d) throw DbError::make(DbError::BadPassword, path_);
}

std::shared_ptr<Database> Database::open(const QString& path, Options options,
                                         const QString& connect) {
    try {
        const QFileInfo info(path);
        if (!info.exists()) throw DbError::make(DbError::FileNotFound, path);
        if (!info.isFile()) throw DbError::make(DbError::NotADatabase, path);
        if (!info.isReadable()) throw DbError::make(DbError::ReadOnly, path);
        {
            // SQLite takes an empty file for a new database and would write a
            // header into it; only a file that already is one may be opened.
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) throw DbError::make(DbError::ReadOnly, path);
            if (f.read(16) != QByteArray("SQLite format 3\0", 16))
                throw DbError::make(DbError::NotADatabase, path);
        }
        if (options.readOnly) recoverInterruptedWrite(path, info);
        else {
            // A write would need the file and a journal beside it; refuse now
            // rather than fail on the first save.
            const QFileInfo folder(info.absolutePath());
            if (!info.isWritable() || !folder.isWritable())
                throw DbError::make(DbError::ReadOnly, path);
        }
        // Never create: a missing file is an error, not an empty bank.
        const int flags = options.readOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE;
        auto db = std::make_unique<SQLite::Database>(path.toStdString(), flags, 0);
        sqlite3_extended_result_codes(db->getHandle(), 1);
        int on = 1;
        sqlite3_db_config(db->getHandle(), SQLITE_DBCONFIG_DEFENSIVE, 1, &on);
        db->exec("PRAGMA cell_size_check=ON");
        db->exec("PRAGMA trusted_schema=OFF");
        std::shared_ptr<Database> self(new Database(path, std::move(db)));
        SQLite::Database& sq = *self->db_;
        if (options.exclusive) {
            sq.exec("PRAGMA locking_mode=EXCLUSIVE");
            // An empty write transaction takes the exclusive lock, which the
            // exclusive locking mode then keeps until the file is closed.
            sq.exec("BEGIN EXCLUSIVE");
            sq.exec("COMMIT");
        }
        if (!hasTable(sq, "Word")) throw DbError::make(DbError::NoTable, path);
        self->checkPassword(connect);
        self->connect_ = connect;
        // A reader walks its records once: a small page cache keeps a large
        // file from leaving megabytes of freed cache in the heap.
        sq.exec(options.readOnly ? "PRAGMA cache_size=-256" : "PRAGMA synchronous=FULL");
        qCInfo(lcDb).noquote() << "opened" << path << (options.exclusive ? "exclusive" : "shared")
                               << (options.readOnly ? "read-only" : "read-write");
        return self;
    } catch (const SQLite::Exception& e) {
        const DbError err = DbError::fromSqlite(e, path);
        qCInfo(lcDb).noquote() << "open" << path << "failed:" << e.what() << "->" << err.number();
        throw err;
    } catch (const DbError& e) {
        qCInfo(lcDb).noquote() << "open" << path << "failed:" << e.number() << e.message();
        throw;
    }
}
