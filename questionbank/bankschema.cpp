// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/bankschema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/questionidentity.h"

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

void create(SQLite::Database& db, Kind kind, Pictures pictures, bool withExam) {
    // A file with pictures holds the same text more than once, once per
    // picture or set of options: its key is the identity column instead.
    const bool byIdentity = pictures == Pictures::WithColumn;
    const QString english =
        byIdentity ? QStringLiteral("English TEXT, ") : QStringLiteral("English TEXT UNIQUE, ");
    const QString head =
        QStringLiteral("CREATE TABLE Word (\"index\" INTEGER PRIMARY KEY AUTOINCREMENT, ") +
        english;
    if (kind == Kind::Bank) {
        db.exec((head + QStringLiteral("Chinese TEXT, category TEXT)")).toStdString());
        // Without it the category query reads the whole table. On the
        // category alone, its entries run in row order within a category, so
        // the display, whose query has no ORDER BY, shows a category in the
        // order the questions were added (an imported bank: its CSV's order).
        db.exec("CREATE INDEX WordCategory ON Word (category)");
    } else {
        db.exec((head + QStringLiteral("Chinese TEXT)")).toStdString());
    }
    if (pictures == Pictures::WithColumn) PictureColumn::add(db);
    if (withExam) ExamColumns::add(db);
    if (byIdentity) QuestionIdentity::addKey(db);
    if (kind == Kind::Bank) {
        // The display reads every record's text at start; without this it
        // walks the table's pages, which pictures spread through the file.
        // Its order is the row order, so a scan of it gives the table's order.
        QString covered = QStringLiteral("\"index\", English, Chinese, category");
        if (withExam)
            covered += QStringLiteral(", ") + ExamColumns::names().join(QStringLiteral(", "));
        db.exec(QStringLiteral("CREATE INDEX WordText ON Word (%1)").arg(covered).toStdString());
    }
}

namespace {

// One INSERT for every field the file has, identity included.
QString insertText(Kind kind, Pictures pictures, bool withExam) {
    QStringList cols{QStringLiteral("English"), QStringLiteral("Chinese")};
    if (kind == Kind::Bank) cols << QStringLiteral("category");
    if (pictures == Pictures::WithColumn) cols << PictureColumn::kName << QuestionIdentity::kColumn;
    if (withExam) cols << ExamColumns::names();
    return QStringLiteral("INSERT INTO Word (%1) VALUES (%2)")
        .arg(cols.join(QStringLiteral(", ")),
             QStringList(QList<QString>(cols.size(), QStringLiteral("?")))
                 .join(QStringLiteral(", ")));
}

void bindText(SQLite::Statement& st, int i, const QString& s) {
    st.bind(i, s.toStdString());
}

void insert(SQLite::Statement& ins, Kind kind, Pictures pictures, bool withExam,
            const Question& q) {
    ins.reset();
    int i = 1;
    bindText(ins, i++, q.question);
    bindText(ins, i++, q.answer);
    if (kind == Kind::Bank) bindText(ins, i++, q.category);
    if (pictures == Pictures::WithColumn) {
        if (q.picture.isEmpty())
            ins.bind(i++);
        else
            ins.bind(i++, q.picture.constData(), int(q.picture.size()));
        bindText(ins, i++,
                 q.identity.isEmpty() ? QuestionIdentity::of(q.question, q.exam.options, q.picture)
                                      : q.identity);
    } else if (!q.picture.isEmpty()) {
        throw std::runtime_error("a picture for a file without the picture column");
    }
    if (withExam) {
        // Empty fields stay NULL, as in a file whose columns were added later.
        const auto opt = [&](const QString& s) {
            s.isEmpty() ? ins.bind(i++) : bindText(ins, i++, s);
        };
        opt(q.exam.kind);
        for (const QString& o : q.exam.options) opt(o);
        opt(q.exam.explanation);
    } else if (!q.exam.isEmpty()) {
        throw std::runtime_error("exam fields for a file without their columns");
    }
    ins.exec();
}

}  // namespace

void build(const QString& path, Kind kind, const std::vector<Question>& questions,
           const QString& password, Pictures pictures) {
    const bool withExam = std::any_of(questions.begin(), questions.end(),
                                      [](const Question& q) { return !q.exam.isEmpty(); });
    const QString tmp = path + QStringLiteral(".building");
    QFile::remove(tmp);
    try {
        {
            SQLite::Database db(tmp.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec("PRAGMA synchronous=FULL");
            SQLite::Transaction tx(db);
            create(db, kind, pictures, withExam);
            if (!password.isEmpty()) Database::protect(db, password);
            SQLite::Statement ins(db, insertText(kind, pictures, withExam).toStdString());
            for (const Question& q : questions) insert(ins, kind, pictures, withExam, q);
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
