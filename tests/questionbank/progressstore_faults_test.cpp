// SPDX-License-Identifier: GPL-3.0-or-later
// A progress file that is damaged, somebody else's, locked or cannot be
// written: the store says why, in a sentence for the learner, and writes
// nothing, neither into the file nor beside it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <SQLiteCpp/Database.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "questionbank/progressstore.h"
#include "tests/support/testenv.h"

namespace {

using Fault = ProgressStore::Fault;
using G = Fsrs::Grade;
constexpr qint64 kT0 = 1'770'000'000'000;

QString idOf(int n) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::number(n), QCryptographicHash::Sha256).toHex());
}

// The fault an open ends with, None when it opened.
Fault openFault(const QString& folder, QString* reason = nullptr) {
    Fault fault = Fault::Io;
    auto store = ProgressStore::open(folder, Fsrs(), &fault, reason);
    return store ? Fault::None : fault;
}

// A store with enough grades to fill several pages.
QString makeStore(const QTemporaryDir& dir, int grades) {
    auto store = ProgressStore::open(dir.path(), Fsrs());
    std::vector<ProgressStore::Review> reviews;
    for (int i = 0; i < grades; ++i)
        reviews.push_back({idOf(i % 97), kT0 + i * 3600000LL, G(1 + i % 4)});
    EXPECT_TRUE(store && store->recordGrades(reviews));
    return dir.filePath(QStringLiteral("progress.db"));
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

}  // namespace

TEST(ProgressStoreFaults, DamagedFilesAreRefusedAndLeftAsTheyWere) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> spoil;
    };
    const Case cases[] = {
        {"text",
         [](const QString& p) { writeFile(p, "this is not a database at all, only text\n"); }},
        {"short", [](const QString& p) { writeFile(p, "SQLi"); }},
        {"page overwritten",
         [](const QString& p) {
             QByteArray bytes = readFile(p);
             ASSERT_GT(bytes.size(), 6 * 4096);
             for (int i = 2 * 4096 + 8; i < 4 * 4096; ++i) bytes[i] = char(0xA5);
             writeFile(p, bytes);
         }},
        {"cut short", [](const QString& p) { writeFile(p, readFile(p).left(3 * 4096 + 100)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = makeStore(dir, 2000);
        c.spoil(path);
        const QByteArray before = readFile(path);
        const QStringList entries = folderEntries(dir.path());
        QString reason;
        EXPECT_EQ(openFault(dir.path(), &reason), Fault::Damaged);
        EXPECT_TRUE(reason.contains(QStringLiteral("已损坏"))) << reason.toStdString();
        EXPECT_TRUE(reason.contains(path)) << reason.toStdString();
        EXPECT_EQ(readFile(path), before);
        EXPECT_EQ(folderEntries(dir.path()), entries);
    }
}

TEST(ProgressStoreFaults, NumbersNoGradeCouldLeaveCountAsDamage) {
    QTemporaryDir dir;
    const QString path = makeStore(dir, 10);
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("UPDATE card SET stability = -1");
    }
    auto store = ProgressStore::open(dir.path(), Fsrs());
    ASSERT_TRUE(store);
    const QByteArray before = readFile(path);
    EXPECT_FALSE(store->allCards());
    EXPECT_EQ(store->fault(), Fault::Damaged);
    EXPECT_FALSE(store->recordGrade(idOf(1), G::Knew, kT0 + 100 * 3600000LL));
    EXPECT_EQ(readFile(path), before);
}

TEST(ProgressStoreFaults, SomebodyElsesDatabaseIsNeverWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.db"));
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("CREATE TABLE Word (English TEXT, Chinese TEXT)");
    }
    const QByteArray before = readFile(path);
    QString reason;
    EXPECT_EQ(openFault(dir.path(), &reason), Fault::Foreign);
    EXPECT_TRUE(reason.contains(QStringLiteral("不是本程序的学习记录")));
    EXPECT_EQ(readFile(path), before);
    // Ours, but from a later version of the program.
    QTemporaryDir newer;
    const QString ours = makeStore(newer, 3);
    {
        SQLite::Database db(ours.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA user_version=2");
    }
    const QByteArray newerBefore = readFile(ours);
    EXPECT_EQ(openFault(newer.path()), Fault::Newer);
    EXPECT_EQ(readFile(ours), newerBefore);
}

TEST(ProgressStoreFaults, FileLockedByAnotherProgram) {
    QTemporaryDir dir;
    const QString path = makeStore(dir, 10);
    const QByteArray before = readFile(path);
    {
        SQLite::Database other(path.toStdString(), SQLite::OPEN_READWRITE);
        other.exec("PRAGMA locking_mode=EXCLUSIVE");
        other.exec("BEGIN EXCLUSIVE");
        other.exec("COMMIT");
        QString reason;
        EXPECT_EQ(openFault(dir.path(), &reason), Fault::Locked);
        EXPECT_TRUE(reason.contains(QStringLiteral("正被其他程序使用")));
    }
    EXPECT_EQ(readFile(path), before);
    {
        // A write under way elsewhere lets us read but not write.
        SQLite::Database other(path.toStdString(), SQLite::OPEN_READWRITE);
        other.exec("BEGIN IMMEDIATE");
        other.exec("DELETE FROM review");
        EXPECT_EQ(openFault(dir.path()), Fault::Locked);
        other.exec("ROLLBACK");
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(openFault(dir.path()), Fault::None);
}

TEST(ProgressStoreFaults, AfterAFailedGradeNothingMoreIsWritten) {
    QTemporaryDir dir;
    const QString path = makeStore(dir, 10);
    auto store = ProgressStore::open(dir.path(), Fsrs());
    ASSERT_TRUE(store);
    ASSERT_TRUE(store->recordGrade(idOf(500), G::Knew, kT0));
    {
        SQLite::Database other(path.toStdString(), SQLite::OPEN_READWRITE);
        other.exec("BEGIN EXCLUSIVE");
        EXPECT_FALSE(store->recordGrade(idOf(501), G::Knew, kT0));
        EXPECT_EQ(store->fault(), Fault::Locked);
        EXPECT_FALSE(store->failure().isEmpty());
        other.exec("ROLLBACK");
    }
    // The lock is gone, but the learner was told that progress is not kept.
    EXPECT_FALSE(store->recordGrade(idOf(502), G::Knew, kT0));
    EXPECT_FALSE(store->addPaper({0, kT0, QStringLiteral("x"), 1, 1, {}}));
    store.reset();
    store = ProgressStore::open(dir.path(), Fsrs());
    ASSERT_TRUE(store);
    EXPECT_EQ(store->card(idOf(500))->reps, 1);
    EXPECT_TRUE(store->card(idOf(501))->isNew());
    EXPECT_TRUE(store->card(idOf(502))->isNew());
    EXPECT_TRUE(store->papers()->empty());
}

namespace {

// Permissions bind root in nothing, so there the writing side runs as
// nobody, from a copy of the writer in a folder nobody can reach.
QString runAsUser(const QString& home, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (geteuid() == 0) {
        const QString writer = home + QStringLiteral("/progress_writer");
        if (!QFile::exists(writer)) QFile::copy(QStringLiteral(WRITER_PATH), writer);
        p.start(QStringLiteral("setpriv"),
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", writer} + args);
    } else {
        p.start(QStringLiteral(WRITER_PATH), args);
    }
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString refused(Fault f) {
    return QStringLiteral("refused %1").arg(int(f));
}

}  // namespace

TEST(ProgressStoreFaults, UnwritableFolderOrFile) {
    // Under /tmp, which every user may pass through, whatever TMPDIR says.
    QTemporaryDir dir(QStringLiteral("/tmp/quillmere-progress-XXXXXX"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    const auto folder = [&](const char* name, QFile::Permissions perms) {
        const QString f = dir.filePath(QString::fromLatin1(name));
        QDir().mkpath(f);
        QFile::setPermissions(f, perms);
        return f;
    };
    const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                   QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions readOnly =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    // A folder that cannot be written: no file is made in it.
    const QString bare = folder("bare", readOnly);
    EXPECT_EQ(runAsUser(dir.path(), {"open", bare}), refused(Fault::Unwritable));
    EXPECT_TRUE(folderEntries(bare).isEmpty());
    // A file that cannot be written, in a folder that can.
    QTemporaryDir scratch;
    const QByteArray store = readFile(makeStore(scratch, 20));
    const QString lockedFile = folder("file", all);
    writeFile(lockedFile + QStringLiteral("/progress.db"), store);
    QFile::setPermissions(lockedFile + QStringLiteral("/progress.db"),
                          QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(runAsUser(dir.path(), {"open", lockedFile}), refused(Fault::Unwritable));
    // A file that can be written in a folder that cannot: no journal, no write.
    const QString lockedFolder = folder("folder", all);
    writeFile(lockedFolder + QStringLiteral("/progress.db"), store);
    QFile::setPermissions(
        lockedFolder + QStringLiteral("/progress.db"),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(lockedFolder, readOnly);
    EXPECT_EQ(runAsUser(dir.path(), {"open", lockedFolder}), refused(Fault::Unwritable));
    for (const QString& f : {lockedFile, lockedFolder}) {
        EXPECT_EQ(readFile(f + QStringLiteral("/progress.db")), store);
        EXPECT_EQ(folderEntries(f), QStringList{"progress.db"});
    }
    // The same user writes where it may: the refusals were the permissions'.
    const QString open = folder("open", all);
    EXPECT_EQ(runAsUser(dir.path(), {"open", open}), QStringLiteral("opened\ngraded"));
    // Let the temporary folder go, whoever runs the test.
    for (const QString& f : {bare, lockedFolder}) QFile::setPermissions(f, all);
}
