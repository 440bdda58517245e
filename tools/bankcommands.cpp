// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/bankcommands.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <map>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"
#include "tools/bankcsv.h"
#include "tools/bankfiles.h"

namespace BankCommands {

namespace {

// Why a picture cell may not be read, or empty. A bank is often built from
// a folder someone else sent: its CSV must not be able to pull any other file
// of the user's (~/.ssh/..., /etc/...) into a bank that is then passed on, so
// a picture is read only from inside the CSV's own folder, symbolic links
// resolved.
QString outsideFolder(const QDir& base, const QString& cell) {
    const QString outside = QStringLiteral(
        "不在 CSV 文件所在的文件夹中，没有读取（图片路径须相对于 CSV "
        "文件，且不能通向它的文件夹之外）");
    const QString clean = QDir::cleanPath(cell);
    if (QDir::isAbsolutePath(cell) || clean == QLatin1String("..") ||
        clean.startsWith(QLatin1String("../")))
        return outside;
    const QString real = QFileInfo(base.filePath(clean)).canonicalFilePath();
    QString root = base.canonicalPath();
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    if (!real.isEmpty() && !real.startsWith(root)) return outside;
    return {};
}

// Reads and decodes each picture the CSV names, stores it with its question
// and lists every fault.
QStringList loadPictures(const QString& csvPath, BankCsv::Result& parsed) {
    QStringList faults;
    QHash<int, QByteArray> byLine;
    const QDir base = QFileInfo(csvPath).absoluteDir();
    for (const BankCsv::PictureRef& ref : parsed.namedPictures) {
        const auto fault = [&](const QString& why) {
            faults << QStringLiteral("第 %1 行的图片“%2”%3").arg(ref.line).arg(ref.cell, why);
        };
        if (const QString why = outsideFolder(base, ref.cell); !why.isEmpty()) {
            fault(why);
            continue;
        }
        QFile file(base.filePath(ref.cell));
        if (!QFileInfo(file).isFile()) {
            fault(QStringLiteral("不存在"));
            continue;
        }
        if (file.size() > PictureDecoder::kMaxBytes) {
            fault(QStringLiteral("过大（%1 字节，最多 %2 字节）")
                      .arg(file.size())
                      .arg(PictureDecoder::kMaxBytes));
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
        byLine.insert(ref.line, bytes);
    }
    for (size_t i = 0; i < parsed.questions.size(); ++i)
        parsed.questions[i].picture = byLine.value(parsed.lines[i]);
    return faults;
}

// Rows the CSV told apart by their pictures' paths may still hold the same
// picture: once the bytes are read, the identity decides. Each such repeat is
// left out (skipRepeats, answers agreeing) or named as a fault.
QStringList repeatsOfSameBytes(BankCsv::Result& parsed, bool skipRepeats) {
    QStringList faults;
    QHash<QString, size_t> seen;
    std::vector<size_t> dropped;
    for (size_t i = 0; i < parsed.questions.size(); ++i) {
        auto& q = parsed.questions[i];
        // Worked out once here, for the build too: hashing the pictures is
        // a good part of the build's time.
        q.identity = QuestionIdentity::of(q.question, q.exam.options, q.picture);
        if (q.picture.isEmpty()) continue;  // without a picture the CSV's key was the identity
        const QString& id = q.identity;
        const auto it = seen.constFind(id);
        if (it == seen.cend()) {
            seen.insert(id, i);
            continue;
        }
        const auto& kept = parsed.questions[*it];
        const QString what =
            QStringLiteral("第 %1 行的题目与第 %2 行重复（图片内容相同，答案%3）：%4")
                .arg(parsed.lines[i])
                .arg(parsed.lines[*it])
                .arg(kept.answer == q.answer ? QStringLiteral("相同") : QStringLiteral("不同"),
                     q.question);
        if (skipRepeats && kept.answer == q.answer) {
            parsed.skipped << what;
            dropped.push_back(i);
        } else {
            faults << what;
        }
    }
    for (auto i = dropped.rbegin(); i != dropped.rend(); ++i) {
        parsed.questions.erase(parsed.questions.begin() + long(*i));
        parsed.lines.erase(parsed.lines.begin() + long(*i));
        parsed.pictures.removeAt(int(*i));
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
    // The pictures are checked even when lines have faults, so that one run
    // names everything there is to mend.
    QStringList faults = loadPictures(csvPath, parsed);
    if (!parsed.ok()) faults.prepend(parsed.error);
    if (faults.isEmpty()) faults = repeatsOfSameBytes(parsed, skipRepeats);
    if (!faults.isEmpty()) {
        err << "bankctl: " << csvPath << "：\n"
            << faults.join(QLatin1Char('\n')) << "\n没有写入任何文件。\n";
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
            err << "bankctl: "
                << BankFiles::withPath(DbError::make(DbError::FileInUse, target).message(), target)
                << "没有写入任何文件。\n";
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
        out << "bankctl: 跳过了 " << parsed.skipped.size()
            << " 道答案相同的重复题目（保留先出现的一行）：\n  "
            << parsed.skipped.join(QStringLiteral("\n  ")) << "\n";
    out << "bankctl: 已写入 " << bank << "（" << parsed.questions.size() << " 道题，其中 "
        << withPicture << " 道有图片）\n";
    if (writePersonal) out << "bankctl: 已写入 " << personal << "（空的生词本）\n";
    return 0;
}

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
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(rows[i].picture) != rows[i].picture.size() || !file.commit()) {
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
    bool withCategory = false, withExam = false;
    int pictures = 0;
    try {
        auto db = BankFiles::openAny(dbPath, true);
        auto set = RecordSet::open(db, QStringLiteral("select * from word ORDER BY index"));
        withCategory = set->columns().contains(QStringLiteral("category"), Qt::CaseInsensitive);
        withExam = set->hasExamColumns();
        for (set->MoveFirst(); !set->atEOF(); set->MoveNext()) {
            QString why;
            const QByteArray picture = set->picture(&why);
            if (!why.isEmpty()) {
                err << "bankctl: 记录 " << set->Bookmark() << " 的图片无法读取：" << why << "\n";
                return 1;
            }
            pictures += picture.isEmpty() ? 0 : 1;
            rows.push_back({set->text(QStringLiteral("category")), set->text(Columns::kEnglish),
                            set->text(Columns::kChinese), picture, ExamFields::of(*set)});
            names << set->text(QStringLiteral("index"));
        }
    } catch (const DbError& e) {
        err << "bankctl: " << BankFiles::withPath(e.message(), dbPath) << "\n";
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
    const QByteArray csv = BankCsv::write(rows, withCategory, cells, withExam);
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
            << QFileInfo(csvPath).absoluteDir().filePath(QFileInfo(csvPath).completeBaseName() +
                                                         "-pictures");
    out << "\n";
    return 0;
}

}  // namespace BankCommands
