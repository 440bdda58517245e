#include "tools/bankcommands.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <map>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tools/bankcsv.h"

namespace BankCommands {

int build(const QString& csvPath, const QString& outDir, bool replacePersonal, QTextStream& out,
          QTextStream& err) {
    QFile in(csvPath);
    if (!in.open(QIODevice::ReadOnly)) {
        err << "bankctl: cannot read " << csvPath << ": " << in.errorString() << "\n";
        return 1;
    }
    const BankCsv::Result parsed = BankCsv::parse(in.readAll());
    if (!parsed.ok()) {
        err << "bankctl: " << csvPath << ": " << parsed.error << "\n";
        return 1;
    }
    QDir().mkpath(outDir);
    const QString bank = QDir(outDir).filePath(Queries::kBankFile);
    const QString personal = QDir(outDir).filePath(Queries::kPersonalFile);
    const bool writePersonal = replacePersonal || !QFile::exists(personal);
    // A file an editor holds open is refused before anything is written, so
    // the pair is never left half replaced.
    for (const QString& target : writePersonal ? QStringList{bank, personal} : QStringList{bank}) {
        if (BankSchema::inUse(target)) {
            err << "bankctl: " << DbError::make(DbError::FileInUse, target).message() << " ("
                << target << " is in use; nothing was written)\n";
            return 1;
        }
    }
    try {
        BankSchema::build(bank, BankSchema::Kind::Bank, parsed.questions, Queries::kBankPassword);
        if (writePersonal) BankSchema::build(personal, BankSchema::Kind::PersonalList, {}, {});
    } catch (const std::exception& e) {
        err << "bankctl: build failed: " << e.what() << "\n";
        return 1;
    }
    out << "bankctl: wrote " << bank << " (" << parsed.questions.size() << " questions) and " << personal
        << "\n";
    return 0;
}

namespace {
std::shared_ptr<Database> openAny(const QString& path, bool readOnly) {
    // An unprotected file opens with any connect text.
    return Database::open(path, {.exclusive = false, .readOnly = readOnly}, Queries::kBankConnect);
}
}  // namespace

int exportCsv(const QString& dbPath, const QString& csvPath, QTextStream& out, QTextStream& err) {
    std::vector<BankSchema::Question> rows;
    bool withCategory = false;
    try {
        auto db = openAny(dbPath, true);
        auto set = RecordSet::open(db, QStringLiteral("select * from word ORDER BY index"));
        withCategory = set->columns().contains(QStringLiteral("category"), Qt::CaseInsensitive);
        for (set->MoveFirst(); !set->atEOF(); set->MoveNext())
            rows.push_back({set->text(QStringLiteral("category")), set->text(QStringLiteral("English")),
                            set->text(QStringLiteral("Chinese"))});
    } catch (const DbError& e) {
        err << "bankctl: " << e.message() << "\n";
        return 1;
    }
    const QByteArray csv = BankCsv::write(rows, withCategory);
    if (csvPath == QLatin1String("-")) {
        out << QString::fromUtf8(csv);
        return 0;
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        err << "bankctl: cannot write " << csvPath << ": " << file.errorString() << "\n";
        return 1;
    }
    out << "bankctl: exported " << rows.size() << " questions to " << csvPath << "\n";
    return 0;
}

int check(const QString& dbPath, QTextStream& out, QTextStream& err) {
    try {
        auto db = openAny(dbPath, true);
        SQLite::Statement ic(db->sqlite(), "PRAGMA integrity_check");
        QStringList problems;
        while (ic.executeStep()) {
            const QString line = QString::fromUtf8(ic.getColumn(0).getText());
            if (line != QLatin1String("ok")) problems << line;
        }
        if (!problems.isEmpty()) {
            err << "bankctl: " << dbPath << ": integrity check failed:\n  " << problems.join("\n  ") << "\n";
            return 2;
        }
        auto set = RecordSet::open(db, QStringLiteral("select * from word"));
        const bool withCategory = set->columns().contains(QStringLiteral("category"), Qt::CaseInsensitive);
        out << dbPath << ": integrity ok, " << set->RecordCount() << " questions\n";
        if (withCategory) {
            std::map<QString, int> counts;
            for (const QString& name : Categories::names()) counts[name] = 0;
            for (set->MoveFirst(); !set->atEOF(); set->MoveNext()) ++counts[set->text(QStringLiteral("category"))];
            for (const QString& name : Categories::names()) out << "  " << name << ": " << counts[name] << "\n";
            for (const auto& [name, n] : counts)
                if (!Categories::names().contains(name)) out << "  (unknown) " << name << ": " << n << "\n";
        }
        if (!BankSchema::indexIsRowId(db->sqlite())) {
            // Readable, but the editors refuse to write to it.
            err << "bankctl: " << dbPath << ": "
                << DbError::make(DbError::CannotUpdate, dbPath).message() << "\n";
            return 3;
        }
        return 0;
    } catch (const DbError& e) {
        err << "bankctl: " << e.message() << "\n";
        return 1;
    } catch (const SQLite::Exception& e) {
        // The check itself could not read the file: it is damaged.
        err << "bankctl: " << DbError::fromSqlite(e, dbPath).message() << " (" << e.what() << ")\n";
        return 2;
    }
}

}  // namespace BankCommands
