// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/bankcommands.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <map>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tools/bankcsv.h"

namespace BankCommands {

namespace {

// Reads and decodes each picture the CSV names; every fault is listed.
QStringList loadPictures(const QString& csvPath, BankCsv::Result& parsed) {
    QStringList faults;
    const QDir base = QFileInfo(csvPath).absoluteDir();
    for (size_t i = 0; i < parsed.questions.size(); ++i) {
        const QString cell = parsed.pictures.value(int(i));
        if (cell.isEmpty()) continue;
        const auto fault = [&](const QString& why) {
            faults << QStringLiteral("第 %1 行的图片“%2”%3").arg(parsed.lines[i]).arg(cell, why);
        };
        QFile file(base.filePath(cell));
        if (!QFileInfo(file).isFile()) {
            fault(QStringLiteral("不存在"));
            continue;
        }
        if (file.size() > PictureDecoder::kMaxBytes) {
            fault(QStringLiteral("过大（%1 字节，最多 %2 字节）").arg(file.size()).arg(PictureDecoder::kMaxBytes));
            continue;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            fault(QStringLiteral("无法读取：") + file.errorString());
            continue;
        }
        const QByteArray bytes = file.readAll();
        const auto decoded = PictureDecoder::decode(bytes, QSize(64, 64), 1.0);
        if (!decoded.ok()) {
            fault(QStringLiteral("无法使用：") + decoded.error);
            continue;
        }
        parsed.questions[i].picture = bytes;
    }
    return faults;
}

}  // namespace

int build(const QString& csvPath, const QString& outDir, bool replacePersonal, QTextStream& out,
          QTextStream& err, bool skipRepeats) {
    QFile in(csvPath);
    if (!in.open(QIODevice::ReadOnly)) {
        err << "bankctl: 无法读取 " << csvPath << "：" << in.errorString() << "\n";
        return 1;
    }
    BankCsv::Result parsed = BankCsv::parse(in.readAll(), true, skipRepeats);
    if (!parsed.ok()) {
        err << "bankctl: " << csvPath << "：\n" << parsed.error << "\n没有写入任何文件。\n";
        return 1;
    }
    if (const QStringList faults = loadPictures(csvPath, parsed); !faults.isEmpty()) {
        err << "bankctl: " << csvPath << "：\n" << faults.join(QLatin1Char('\n')) << "\n没有写入任何文件。\n";
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
        err << "bankctl: 生成失败：" << e.what() << "\n";
        return 1;
    }
    int withPicture = 0;
    for (const auto& q : parsed.questions) withPicture += q.picture.isEmpty() ? 0 : 1;
    if (!parsed.skipped.isEmpty())
        out << "bankctl: 跳过了 " << parsed.skipped.size() << " 道答案相同的重复题目（保留先出现的一行）：\n  "
            << parsed.skipped.join(QStringLiteral("\n  ")) << "\n";
    out << "bankctl: 已写入 " << bank << "（" << parsed.questions.size() << " 道题，其中 " << withPicture
        << " 道有图片）\n";
    if (writePersonal) out << "bankctl: 已写入 " << personal << "（空的生词本）\n";
    return 0;
}

namespace {
std::shared_ptr<Database> openAny(const QString& path, bool readOnly) {
    // An unprotected file opens with any connect text.
    return Database::open(path, {.exclusive = false, .readOnly = readOnly}, Queries::kBankConnect);
}
}  // namespace

namespace {

// Writes each picture into the folder beside the CSV and returns the cells
// of the picture column ("bank.csv" -> "bank-pictures/<index>.<ext>").
bool writePictures(const QString& csvPath, const std::vector<BankSchema::Question>& rows,
                   const QStringList& names, QStringList& cells, QTextStream& err) {
    const QFileInfo csv(csvPath);
    const QString folderName = csv.completeBaseName() + QStringLiteral("-pictures");
    const QDir folder(csv.absoluteDir().filePath(folderName));
    if (!QDir().mkpath(folder.path())) {
        err << "bankctl: 无法建立文件夹 " << folder.path() << "\n";
        return false;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].picture.isEmpty()) {
            cells << QString();
            continue;
        }
        const QString name = names[int(i)] + QLatin1Char('.') +
                             PictureDecoder::extension(PictureDecoder::format(rows[i].picture));
        QSaveFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(rows[i].picture) != rows[i].picture.size() ||
            !file.commit()) {
            err << "bankctl: 无法写入 " << file.fileName() << "：" << file.errorString() << "\n";
            return false;
        }
        cells << folderName + QLatin1Char('/') + name;
    }
    return true;
}

}  // namespace

int exportCsv(const QString& dbPath, const QString& csvPath, QTextStream& out, QTextStream& err) {
    std::vector<BankSchema::Question> rows;
    QStringList names;  // each row's picture file name, without extension
    bool withCategory = false;
    int pictures = 0;
    try {
        auto db = openAny(dbPath, true);
        auto set = RecordSet::open(db, QStringLiteral("select * from word ORDER BY index"));
        withCategory = set->columns().contains(QStringLiteral("category"), Qt::CaseInsensitive);
        for (set->MoveFirst(); !set->atEOF(); set->MoveNext()) {
            QString why;
            const QByteArray picture = set->picture(&why);
            if (!why.isEmpty()) {
                err << "bankctl: 记录 " << set->Bookmark() << " 的图片无法读取：" << why << "\n";
                return 1;
            }
            pictures += picture.isEmpty() ? 0 : 1;
            rows.push_back({set->text(QStringLiteral("category")), set->text(Columns::kEnglish),
                            set->text(Columns::kChinese), picture});
            names << set->text(QStringLiteral("index"));
        }
    } catch (const DbError& e) {
        err << "bankctl: " << e.message() << "\n";
        return 1;
    }
    const bool toStdout = csvPath == QLatin1String("-");
    if (pictures > 0 && toStdout) {
        err << "bankctl: " << dbPath << " 中有 " << pictures
            << " 道题带图片，请导出到文件：图片会写在它旁边的文件夹里。\n";
        return 1;
    }
    QStringList cells;
    if (pictures > 0 && !writePictures(csvPath, rows, names, cells, err)) return 1;
    const QByteArray csv = BankCsv::write(rows, withCategory, cells);
    if (toStdout) {
        out << QString::fromUtf8(csv);
        return 0;
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        err << "bankctl: 无法写入 " << csvPath << "：" << file.errorString() << "\n";
        return 1;
    }
    out << "bankctl: 已把 " << rows.size() << " 道题导出到 " << csvPath;
    if (pictures > 0)
        out << "，" << pictures << " 张图片导出到 "
            << QFileInfo(csvPath).absoluteDir().filePath(QFileInfo(csvPath).completeBaseName() + "-pictures");
    out << "\n";
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
        auto set = RecordSet::open(db, QStringLiteral("select * from word ORDER BY index"));
        const bool withCategory = set->columns().contains(QStringLiteral("category"), Qt::CaseInsensitive);
        std::map<QString, int> counts, pictures;
        for (const QString& name : Categories::names()) counts[name] = pictures[name] = 0;
        QStringList bad;
        int withPicture = 0;
        for (set->MoveFirst(); !set->atEOF(); set->MoveNext()) {
            const QString category = set->text(QStringLiteral("category"));
            ++counts[category];
            QString why;
            const QByteArray bytes = set->picture(&why);
            if (!bytes.isEmpty()) {
                const auto decoded = PictureDecoder::decode(bytes, QSize(64, 64), 1.0);
                why = decoded.error;
                if (decoded.ok()) ++pictures[category], ++withPicture;
            }
            if (!why.isEmpty())
                bad << QStringLiteral("记录 %1（%2）的图片无法显示：%3")
                           .arg(set->Bookmark(), set->text(Columns::kEnglish), why);
        }
        out << dbPath << ": integrity ok, " << set->RecordCount() << " questions\n";
        if (set->hasPictureColumn()) out << "有图片的题目：" << withPicture << " 道\n";
        const auto line = [&](const QString& name) {
            out << "  " << name << ": " << counts[name];
            if (set->hasPictureColumn()) out << "（有图片 " << pictures[name] << "）";
            out << "\n";
        };
        if (withCategory) {
            for (const QString& name : Categories::names()) line(name);
            for (const auto& [name, n] : counts)
                if (!Categories::names().contains(name)) out << "  (unknown) " << name << ": " << n << "\n";
        }
        if (!bad.isEmpty()) {
            err << "bankctl: " << dbPath << "：" << bad.size() << " 张图片无法显示：\n  " << bad.join("\n  ") << "\n";
            return 2;
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
