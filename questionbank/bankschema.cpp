#include "questionbank/bankschema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

#include "questionbank/database.h"
#include "questionbank/picturecolumn.h"

namespace BankSchema {

void create(SQLite::Database& db, Kind kind, Pictures pictures) {
    if (kind == Kind::Bank) {
        db.exec(
            "CREATE TABLE Word (\"index\" INTEGER PRIMARY KEY AUTOINCREMENT, English TEXT UNIQUE, "
            "Chinese TEXT, category TEXT)");
        // Without it the category query walks the unique index row by row.
        db.exec("CREATE INDEX WordCategory ON Word (category, English)");
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
            SQLite::Statement ins(db, kind == Kind::Bank
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
        // rename(2) replaces an old file in one step.
        if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0)
            throw std::runtime_error("cannot rename " + tmp.toStdString() + " to " + path.toStdString());
    } catch (...) {
        QFile::remove(tmp);
        throw;
    }
}

}  // namespace BankSchema
