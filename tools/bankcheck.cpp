// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl check: reads a file through and reports what it holds.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFileInfo>
#include <QHash>
#include <map>
#include <optional>

#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/examfields.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/questionidentity.h"
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

// What a record holds, counted per category and per kind, and what is
// wrong with it: pictures that do not decode, exam fields that do not fit the
// kind, a stored identity that is not the question's.
struct Tally {
    std::map<QString, int> questions, pictures;
    std::map<QString, int> kinds;  // by kind; empty: a plain question
    int withPicture = 0, withOptions = 0;
    // Each row's stored identity by row id, in a file keyed on it (the
    // record set leaves that column out).
    std::optional<QHash<qint64, QString>> identities;
    QStringList bad, faults;
};

std::optional<QHash<qint64, QString>> storedIdentities(SQLite::Database& db) {
    if (!QuestionIdentity::keyed(db)) return std::nullopt;
    QHash<qint64, QString> ids;
    SQLite::Statement q(db, "SELECT rowid, identity FROM Word");
    while (q.executeStep())
        ids.insert(q.getColumn(0).getInt64(), QString::fromUtf8(q.getColumn(1).getText()));
    return ids;
}

QString recordName(const RecordSet& set) {
    return QStringLiteral("记录 %1（%2）").arg(set.Bookmark(), set.text(Columns::kEnglish));
}

void tallyExam(RecordSet& set, const QByteArray& picture, bool pictureRead, Tally& t) {
    const ExamFields exam = ExamFields::of(set);
    if (set.hasExamColumns()) {
        ++t.kinds[exam.kind];
        if (exam.hasOptions()) ++t.withOptions;
        // Answers typed in an editor may still be in their loose form (对, a, b).
        const QString answer = ExamAnswer::normalised(exam.kind, set.text(Columns::kChinese));
        for (const QString& p : ExamAnswer::problems(exam, answer))
            t.faults << recordName(set) + QStringLiteral("：") + p;
    }
    // A picture that could not be read is named already; its identity cannot be told.
    if (!t.identities || !pictureRead) return;
    const QString stored = t.identities->value(set.Bookmark().toLongLong());
    if (stored != QuestionIdentity::of(set.text(Columns::kEnglish), exam.options, picture))
        t.faults << recordName(set) + QStringLiteral("：存储的题目标识与题目文字、选项和图片不符");
}

Tally tally(RecordSet& set, SQLite::Database& db) {
    Tally t;
    t.identities = storedIdentities(db);
    for (const QString& name : Categories::names()) t.questions[name] = t.pictures[name] = 0;
    for (set.MoveFirst(); !set.atEOF(); set.MoveNext()) {
        const QString category = set.text(QStringLiteral("category"));
        ++t.questions[category];
        QString why;
        const QByteArray bytes = set.picture(&why);
        const bool read = why.isEmpty();
        if (!bytes.isEmpty()) {
            const auto decoded = PictureDecoder::decode(bytes, QSize(64, 64), 1.0);
            why = decoded.error;
            if (decoded.ok()) ++t.pictures[category], ++t.withPicture;
        }
        if (!why.isEmpty()) t.bad << recordName(set) + QStringLiteral("的图片无法显示：") + why;
        tallyExam(set, bytes, read, t);
    }
    return t;
}

void reportKinds(const RecordSet& set, const Tally& t, QTextStream& out) {
    if (set.hasExamColumns()) {
        auto count = [&](const QString& kind) {
            const auto it = t.kinds.find(kind);
            return it == t.kinds.end() ? 0 : it->second;
        };
        out << "题型：";
        for (const QString& kind : {ExamKind::kSingle, ExamKind::kMultiple, ExamKind::kJudge})
            out << kind << " " << count(kind) << " 道，";
        out << "普通题 " << count(QString()) << " 道\n";
        for (const auto& [kind, n] : t.kinds)
            if (!kind.isEmpty() && !ExamKind::known(kind))
                out << "  （未知题型）" << kind << "：" << n << " 道\n";
        out << "有选项的题目：" << t.withOptions << " 道\n";
    }
    if (t.identities) out << "题目标识：已逐条核对 " << set.RecordCount() << " 道\n";
}

void report(const QString& path, RecordSet& set, Tally& t, bool textOrder, QTextStream& out) {
    out << QFileInfo(path).absoluteFilePath() << "：完整性检查通过，共 " << set.RecordCount()
        << " 道题\n";
    if (set.hasPictureColumn()) out << "有图片的题目：" << t.withPicture << " 道\n";
    reportKinds(set, t, out);
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

// Every problem found, pictures first, in one message; false when there is none.
bool reportProblems(const QString& whole, const Tally& t, QTextStream& err) {
    if (!t.bad.isEmpty())
        err << "bankctl: " << whole << "：" << t.bad.size() << " 张图片无法显示：\n  "
            << t.bad.join("\n  ") << "\n";
    if (!t.faults.isEmpty())
        err << "bankctl: " << whole << "：" << t.faults.size() << " 处题目有问题：\n  "
            << t.faults.join("\n  ") << "\n";
    return !t.bad.isEmpty() || !t.faults.isEmpty();
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
        Tally t = tally(*set, db->sqlite());
        report(dbPath, *set, t, BankSchema::categoryInTextOrder(db->sqlite()), out);
        if (reportProblems(whole, t, err)) return 2;
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
