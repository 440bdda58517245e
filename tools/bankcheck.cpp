// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl check: reads a file through and reports what it holds.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFileInfo>
#include <map>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/recordset.h"
#include "tools/bankcommands.h"
#include "tools/bankfiles.h"

namespace BankCommands {

namespace {

QStringList integrityProblems(SQLite::Database& db) {
    SQLite::Statement ic(db, "PRAGMA integrity_check");
    QStringList problems;
    while (ic.executeStep()) {
        const QString line = QString::fromUtf8(ic.getColumn(0).getText());
        if (line != QLatin1String("ok")) problems << line;
    }
    return problems;
}

// The questions and the pictures that decode, per category, and the
// pictures that do not.
struct Tally {
    std::map<QString, int> questions, pictures;
    int withPicture = 0;
    QStringList bad;
};

Tally tally(RecordSet& set) {
    Tally t;
    for (const QString& name : Categories::names()) t.questions[name] = t.pictures[name] = 0;
    for (set.MoveFirst(); !set.atEOF(); set.MoveNext()) {
        const QString category = set.text(QStringLiteral("category"));
        ++t.questions[category];
        QString why;
        const QByteArray bytes = set.picture(&why);
        if (!bytes.isEmpty()) {
            const auto decoded = PictureDecoder::decode(bytes, QSize(64, 64), 1.0);
            why = decoded.error;
            if (decoded.ok()) ++t.pictures[category], ++t.withPicture;
        }
        if (!why.isEmpty())
            t.bad << QStringLiteral("记录 %1（%2）的图片无法显示：%3")
                         .arg(set.Bookmark(), set.text(Columns::kEnglish), why);
    }
    return t;
}

void report(const QString& path, RecordSet& set, Tally& t, bool textOrder, QTextStream& out) {
    out << QFileInfo(path).absoluteFilePath() << "：完整性检查通过，共 " << set.RecordCount()
        << " 道题\n";
    if (set.hasPictureColumn()) out << "有图片的题目：" << t.withPicture << " 道\n";
    if (!set.columns().contains(QStringLiteral("category"), Qt::CaseInsensitive)) return;
    for (const QString& name : Categories::names()) {
        out << "  " << name << "：" << t.questions[name];
        if (set.hasPictureColumn()) out << "（有图片 " << t.pictures[name] << "）";
        out << "\n";
    }
    for (const auto& [name, n] : t.questions)
        if (!Categories::names().contains(name))
            out << "  （未知类别）" << name << "：" << n << "\n";
    if (textOrder)
        out << "显示顺序：各类别按题目文字的顺序（旧的题库格式）；用 export 导出后再 build，"
               "即按题库本身的顺序（添加的顺序）显示\n";
}

}  // namespace

int check(const QString& dbPath, QTextStream& out, QTextStream& err) {
    const QString whole = QFileInfo(dbPath).absoluteFilePath();
    try {
        auto db = BankFiles::openAny(dbPath, true);
        if (const QStringList problems = integrityProblems(db->sqlite()); !problems.isEmpty()) {
            err << "bankctl: " << whole << "：完整性检查未通过：\n  " << problems.join("\n  ")
                << "\n";
            return 2;
        }
        auto set = RecordSet::open(db, QStringLiteral("select * from word ORDER BY index"));
        Tally t = tally(*set);
        report(dbPath, *set, t, BankSchema::categoryInTextOrder(db->sqlite()), out);
        if (!t.bad.isEmpty()) {
            err << "bankctl: " << whole << "：" << t.bad.size() << " 张图片无法显示：\n  "
                << t.bad.join("\n  ") << "\n";
            return 2;
        }
        if (!BankSchema::indexIsRowId(db->sqlite())) {
            // Readable, but the editors refuse to write to it.
            err << "bankctl: "
                << BankFiles::withPath(DbError::make(DbError::CannotUpdate, dbPath).message(),
                                       dbPath)
                << "\n";
            return 3;
        }
        return 0;
    } catch (const DbError& e) {
        err << "bankctl: " << BankFiles::withPath(e.message(), dbPath) << "\n";
        return 1;
    } catch (const SQLite::Exception& e) {
        // The check itself could not read the file: it is damaged.
        err << "bankctl: " << BankFiles::withPath(DbError::fromSqlite(e, dbPath).message(), dbPath)
            << "（SQLite：" << e.what() << "）\n";
        return 2;
    }
}

}  // namespace BankCommands
