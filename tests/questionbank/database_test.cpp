// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QFile>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/testenv.h"

namespace {
int openError(const QString& path, Database::Options o, const QString& connect) {
    try {
        Database::open(path, o, connect);
        return 0;
    } catch (const DbError& e) {
        EXPECT_FALSE(e.message().isEmpty());
        return e.number();
    }
}
}  // namespace

TEST(DatabasePassword, BankOpensOnlyWithItsPassword) {
    TestEnv env;
    env.makeBank({{"交通信号", "q", "a"}});
    const QString bank = env.file("reg.ocx");
    EXPECT_EQ(openError(bank, {}, ";pwd=57302419"), 0);
    EXPECT_EQ(openError(bank, {}, ""), DbError::BadPassword);
    EXPECT_EQ(openError(bank, {}, "Access 2000;"), DbError::BadPassword);
    EXPECT_EQ(openError(bank, {}, ";pwd=57302418"), DbError::BadPassword);
    EXPECT_EQ(openError(bank, {.readOnly = true}, ";PWD=57302419"), 0);
}

TEST(DatabasePassword, PersonalListNeedsNone) {
    TestEnv env;
    env.makePersonalList({});
    EXPECT_EQ(openError(env.file("word.ocx"), {}, ""), 0);
    EXPECT_EQ(openError(env.file("word.ocx"), {}, "Access 2000;"), 0);
}

struct BadFile {
    const char* name;
    QByteArray bytes;
    int expected;
};


TEST(DatabaseBadFiles, ClearErrorAndFileUnchanged) {
    TestEnv env;
    env.makeBank({{"交通信号", "q1", "a1"}, {"交通信号", "q2", "a2"}});
    const QByteArray good = readFile(env.file("reg.ocx"));
    QByteArray random(8192, '\0');
    for (int i = 0; i < random.size(); ++i) random[i] = char((i * 2654435761u) >> 13);
    const std::vector<BadFile> cases = {
        {"empty", QByteArray(), DbError::NotADatabase},
        {"random", random, DbError::NotADatabase},
        {"truncated", good.left(good.size() / 2), -1},
        {"header only", good.left(100), -1},
    };
    for (const BadFile& c : cases) {
        const QString path = env.file(QString("bad-%1.ocx").arg(c.name));
        writeFile(path, c.bytes);
        for (bool exclusive : {false, true}) {
            const int n = [&] {
                try {
                    auto db = Database::open(path, {.exclusive = exclusive}, Queries::kBankConnect);
                    RecordSet::open(db, "select * from word ");
                    return 0;
                } catch (const DbError& e) {
                    return e.number();
                }
            }();
            if (c.expected > 0) EXPECT_EQ(n, c.expected) << c.name;
            else EXPECT_NE(n, 0) << c.name;
            EXPECT_EQ(readFile(path), c.bytes) << c.name << " was changed";
        }
    }
    EXPECT_EQ(openError(env.file("missing.ocx"), {}, ""), DbError::FileNotFound);
    EXPECT_FALSE(QFile::exists(env.file("missing.ocx")));
}

TEST(DatabaseBadFiles, SqliteFileWithoutWordTable) {
    TestEnv env;
    const QString path = env.file("other.ocx");
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("CREATE TABLE Other (x)");
    }
    const QByteArray before = readFile(path);
    EXPECT_EQ(openError(path, {.exclusive = true}, ""), DbError::NoTable);
    EXPECT_EQ(readFile(path), before);
}

TEST(DatabaseExclusive, SecondOpenFailsUntilTheFirstCloses) {
    TestEnv env;
    env.makePersonalList({{"", "q", "a"}});
    const QString path = env.file("word.ocx");
    {
        auto holder = Database::open(path, {.exclusive = true});
        EXPECT_EQ(openError(path, {.exclusive = true}, ""), DbError::FileInUse);
        EXPECT_EQ(openError(path, {.readOnly = true}, ""), DbError::FileInUse);
    }
    EXPECT_EQ(openError(path, {.exclusive = true}, ""), 0);
}

TEST(DatabaseReadOnly, WriteOpenOfReadOnlyFileIsRefused) {
    TestEnv env;
    env.makePersonalList({{"", "q", "a"}});
    const QString path = env.file("word.ocx");
    QFile::setPermissions(path, QFile::ReadOwner);
    if (QFile(path).open(QIODevice::WriteOnly)) GTEST_SKIP() << "running as a user that ignores permissions";
    EXPECT_EQ(openError(path, {.exclusive = true}, ""), DbError::ReadOnly);
    EXPECT_EQ(openError(path, {.readOnly = true}, ""), 0);
}
