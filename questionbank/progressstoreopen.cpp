// SPDX-License-Identifier: GPL-3.0-or-later
// Opening progress.db: the checks before a file is touched, the schema of a
// new file, and the faults with the sentences the learner reads.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/logging.h"
#include "questionbank/progressstore.h"

namespace {

// Marks the file as ours in its header, so that a foreign database that
// happens to lie under the same name is never written.
constexpr int kApplicationId = 0x514D5047;
constexpr int kSchemaVersion = 1;
// A grade waits this long for another program's brief lock before the store
// gives up and says the file is in use.
constexpr int kBusyTimeoutMs = 200;

constexpr const char* kSchema[] = {
    "CREATE TABLE review (identity TEXT NOT NULL, time INTEGER NOT NULL,"
    " grade INTEGER NOT NULL CHECK (grade BETWEEN 1 AND 4))",
    "CREATE INDEX review_by_identity ON review (identity, time)",
    "CREATE INDEX review_by_time ON review (time)",
    "CREATE TABLE card (identity TEXT NOT NULL PRIMARY KEY, stability REAL NOT NULL,"
    " difficulty REAL NOT NULL, due INTEGER NOT NULL, last INTEGER NOT NULL,"
    " first INTEGER NOT NULL, reps INTEGER NOT NULL, lapses INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE paper (id INTEGER PRIMARY KEY, time INTEGER NOT NULL, paper TEXT NOT NULL,"
    " score INTEGER NOT NULL, duration INTEGER NOT NULL, answers TEXT NOT NULL)",
};

// The mock exam being taken, one row at most, saved after every answer so
// that it can be resumed. Files written before it existed get it at open;
// the lists are JSON arrays of strings, times are milliseconds.
constexpr const char* kRunningPaper =
    "CREATE TABLE IF NOT EXISTS running_paper (id INTEGER PRIMARY KEY CHECK (id = 1),"
    " paper TEXT NOT NULL, subject TEXT NOT NULL, questions TEXT NOT NULL,"
    " responses TEXT NOT NULL, current INTEGER NOT NULL, duration INTEGER NOT NULL,"
    " remaining INTEGER NOT NULL, saved INTEGER NOT NULL)";

// Each table with the columns the store reads and writes.
constexpr const char* kSchemaProbes[] = {
    "SELECT identity, time, grade FROM review LIMIT 0",
    "SELECT identity, stability, difficulty, due, last, first, reps, lapses FROM card LIMIT 0",
    "SELECT id, time, paper, score, duration, answers FROM paper LIMIT 0",
};

using Fault = ProgressStore::Fault;

int pragmaInt(SQLite::Database& db, const char* pragma) {
    return db.execAndGet(std::string("PRAGMA ") + pragma).getInt();
}

// What can be told from the file system alone, before SQLite opens anything.
Fault checkFiles(const QString& folder, const QString& path) {
    const QFileInfo dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) return Fault::Unwritable;
    if (!QFileInfo(folder).isDir()) return Fault::Unwritable;
    const QFileInfo file(path);
    if (!file.exists()) return QFileInfo(folder).isWritable() ? Fault::None : Fault::Unwritable;
    if (!file.isFile()) return Fault::Foreign;
    if (!file.isWritable() || !QFileInfo(folder).isWritable()) return Fault::Unwritable;
    // A write cut short leaves a journal that SQLite rolls back on opening;
    // the file itself may be anything until then.
    const QFileInfo journal(path + QStringLiteral("-journal"));
    if (file.size() == 0 || (journal.exists() && journal.size() > 0)) return Fault::None;
    // SQLite takes a short file for an empty database and would write over
    // it: only what already is a database may be opened.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return Fault::Unwritable;
    return f.read(16) == QByteArray("SQLite format 3\0", 16) ? Fault::None : Fault::Damaged;
}

void configure(SQLite::Database& db) {
    sqlite3_extended_result_codes(db.getHandle(), 1);
    int on = 1;
    sqlite3_db_config(db.getHandle(), SQLITE_DBCONFIG_DEFENSIVE, 1, &on);
    db.exec("PRAGMA cell_size_check=ON");
    db.exec("PRAGMA trusted_schema=OFF");
    db.exec("PRAGMA synchronous=FULL");
}

Fault createSchema(SQLite::Database& db) {
    db.exec("BEGIN IMMEDIATE");
    try {
        for (const char* sql : kSchema) db.exec(sql);
        db.exec(kRunningPaper);
        db.exec("PRAGMA application_id=" + std::to_string(kApplicationId));
        db.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        db.exec("COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(db.getHandle())) db.exec("ROLLBACK");
        throw;
    }
    return Fault::None;
}

// Ours, a new file to set up, or somebody else's.
Fault prepareSchema(SQLite::Database& db) {
    const int id = pragmaInt(db, "application_id");
    if (id == kApplicationId) {
        if (pragmaInt(db, "user_version") > kSchemaVersion) return Fault::Newer;
        db.exec(kRunningPaper);
        for (const char* probe : kSchemaProbes) {
            try {
                SQLite::Statement q(db, probe);
            } catch (const SQLite::Exception&) {
                return Fault::Damaged;
            }
        }
        return Fault::None;
    }
    const int objects = db.execAndGet("SELECT count(*) FROM sqlite_master").getInt();
    if (id != 0 || objects != 0) return Fault::Foreign;
    return createSchema(db);
}

// A grade is acknowledged only once it is on the disk, as for the banks. A
// rollback-journal commit flushes four times (the new journal, its folder,
// the journal once its header is set, the file) and then removes the
// journal; a write-ahead log with synchronous=FULL flushes once, the log, at
// every commit, which SQLite documents as making each commit durable across a
// power cut, while a kill loses nothing committed either way (sqlite.org,
// "PRAGMA synchronous" and "Write-Ahead Logging"). On the development
// machine: 17.6 ms against 4.0 ms a commit. Only a file known to be ours and
// sound is switched, since switching writes it; where the log cannot be used
// (no shared memory) the file keeps its rollback journal, as safe but slower.
void useWriteAheadLog(SQLite::Database& db, const QString& path) {
    const std::string mode = db.execAndGet("PRAGMA journal_mode=WAL").getString();
    if (mode != "wal")
        qCInfo(lcDb).noquote() << "journal of" << path << "stays" << QString::fromStdString(mode);
}

Fault checkContent(SQLite::Database& db) {
    if (db.execAndGet("PRAGMA quick_check(1)").getString() != "ok") return Fault::Damaged;
    // Take the write lock once and let it go: a file another program holds
    // is found now, not on the first grade.
    db.exec("BEGIN IMMEDIATE");
    db.exec("ROLLBACK");
    return Fault::None;
}

}  // namespace

ProgressStore::Fault ProgressStore::faultOf(const SQLite::Exception& e) {
    const int ext = e.getExtendedErrorCode();
    switch (ext & 0xFF) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return Fault::Damaged;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Fault::Locked;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
        case SQLITE_AUTH:
            return Fault::Unwritable;
        case SQLITE_FULL:
            return Fault::DiskFull;
        case SQLITE_IOERR:
            return ext == SQLITE_IOERR_SHORT_READ ? Fault::Damaged : Fault::Io;
        default:
            return Fault::Io;
    }
}

QString ProgressStore::reasonFor(Fault fault, const QString& path) {
    if (fault == Fault::None) return {};
    // In the order of Fault, from Damaged on.
    static const char16_t* const kTexts[] = {
        u"学习记录文件“%1”已损坏，无法读取",
        u"文件“%1”不是本程序的学习记录",
        u"学习记录文件“%1”由较新版本的程序写入",
        u"学习记录文件“%1”正被其他程序使用",
        u"学习记录文件“%1”或它所在的文件夹不可写入",
        u"磁盘已满，学习记录文件“%1”无法写入",
        u"读写学习记录文件“%1”时出错",
    };
    const QString text = QString::fromUtf16(kTexts[int(fault) - int(Fault::Damaged)]);
    return text.arg(QDir::toNativeSeparators(path)) + QStringLiteral("，本次的学习进度不会保存。");
}

std::unique_ptr<ProgressStore> ProgressStore::open(const QString& folder, const Fsrs& scheduler,
                                                   Fault* fault, QString* reason) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kFileName));
    const auto refuse = [&](Fault f, const char* detail) -> std::unique_ptr<ProgressStore> {
        qCInfo(lcDb).noquote() << "open" << path << "failed:" << int(f) << detail;
        if (fault) *fault = f;
        if (reason) *reason = reasonFor(f, path);
        return nullptr;
    };
    if (const Fault f = checkFiles(folder, path); f != Fault::None) return refuse(f, "");
    try {
        auto db = std::make_unique<SQLite::Database>(
            path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, kBusyTimeoutMs);
        configure(*db);
        if (sqlite3_db_readonly(db->getHandle(), "main") == 1) return refuse(Fault::Unwritable, "");
        if (const Fault f = prepareSchema(*db); f != Fault::None) return refuse(f, "");
        if (const Fault f = checkContent(*db); f != Fault::None) return refuse(f, "");
        useWriteAheadLog(*db, path);
        std::unique_ptr<ProgressStore> store(new ProgressStore(path, std::move(db), scheduler));
        qCInfo(lcDb).noquote() << "opened" << path;
        if (fault) *fault = Fault::None;
        if (reason) reason->clear();
        return store;
    } catch (const SQLite::Exception& e) {
        return refuse(faultOf(e), e.what());
    } catch (const std::exception& e) {
        return refuse(Fault::Io, e.what());
    }
}
