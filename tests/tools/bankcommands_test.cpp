#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/testenv.h"
#include "tools/bankcommands.h"

namespace {
struct Run {
    int code;
    QString out, err;
};
template <class F>
Run run(F f) {
    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = f(out, err);
    out.flush();
    err.flush();
    return {code, o, e};
}
}  // namespace

TEST(BankCtl, BuildExportCheckRoundTrip) {
    TestEnv env;
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "category,question,answer\n交通信号,\"q, 1\",a1\n事故自救,q2,\"' OR 1=1; --\"\n");
    const QString out = env.root() + "/out";
    auto b = run([&](QTextStream& o, QTextStream& e) { return BankCommands::build(csv, out, false, o, e); });
    ASSERT_EQ(b.code, 0) << b.err.toStdString();
    auto db = Database::open(out + "/reg.ocx", {}, Queries::kBankConnect);
    EXPECT_EQ(RecordSet::open(db, Queries::displayAll())->RecordCount(), 2);
    EXPECT_THROW(Database::open(out + "/reg.ocx", {}, ""), DbError);
    auto word = Database::open(out + "/word.ocx", {});
    EXPECT_EQ(RecordSet::open(word, Queries::personalList())->RecordCount(), 0);

    auto x = run([&](QTextStream& o, QTextStream& e) { return BankCommands::exportCsv(out + "/reg.ocx", "-", o, e); });
    ASSERT_EQ(x.code, 0);
    EXPECT_EQ(x.out, "category,question,answer\n交通信号,\"q, 1\",a1\n事故自救,q2,' OR 1=1; --\n");

    auto c = run([&](QTextStream& o, QTextStream& e) { return BankCommands::check(out + "/reg.ocx", o, e); });
    EXPECT_EQ(c.code, 0);
    EXPECT_TRUE(c.out.contains("integrity ok, 2 questions"));
    EXPECT_TRUE(c.out.contains("交通信号: 1"));
    EXPECT_TRUE(c.out.contains("文明驾驶: 0"));
}

TEST(BankCtl, BadCsvLeavesTheOldBankInPlace) {
    TestEnv env;
    env.makeBank({{"交通信号", "old", "a"}});
    const QByteArray before = readFile(env.file("reg.ocx"));
    const QString csv = env.root() + "/bad.csv";
    writeFile(csv, "交通信号,q,a\n交通信号,q,b\n");
    auto b = run([&](QTextStream& o, QTextStream& e) { return BankCommands::build(csv, env.programDir(), false, o, e); });
    EXPECT_NE(b.code, 0);
    EXPECT_TRUE(b.err.contains("line 2")) << b.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);
    EXPECT_EQ(QDir(env.programDir()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST(BankCtl, ExistingPersonalListIsKept) {
    TestEnv env;
    env.makePersonalList({{"", "mine", "1"}});
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "交通信号,q,a\n");
    run([&](QTextStream& o, QTextStream& e) { return BankCommands::build(csv, env.programDir(), false, o, e); });
    auto word = Database::open(env.file("word.ocx"), {});
    EXPECT_EQ(RecordSet::open(word, Queries::personalList())->RecordCount(), 1);
}

TEST(BankCtl, CheckOfADamagedBankSaysSoInChinese) {
    TestEnv env;
    std::vector<BankSchema::Question> qs;
    for (int i = 0; i < 2000; ++i) qs.push_back({"交通信号", QString("问题%1").arg(i), QString(200, QChar('x'))});
    env.makeBank(qs);
    const QByteArray good = readFile(env.file("reg.ocx"));
    QByteArray bad = good;
    for (int i = good.size() / 2; i < good.size() / 2 + 8192; ++i) bad[i] = char(0xA5);
    writeFile(env.file("reg.ocx"), bad);
    auto c = run([&](QTextStream& o, QTextStream& e) { return BankCommands::check(env.file("reg.ocx"), o, e); });
    EXPECT_EQ(c.code, 2) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("reg.ocx")) << c.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), bad);
}

TEST(BankCtl, CheckAndExportReportBadFiles) {
    TestEnv env;
    writeFile(env.file("junk.ocx"), "not a database at all, just some words and more words");
    const QByteArray before = readFile(env.file("junk.ocx"));
    auto c = run([&](QTextStream& o, QTextStream& e) { return BankCommands::check(env.file("junk.ocx"), o, e); });
    EXPECT_NE(c.code, 0);
    EXPECT_FALSE(c.err.isEmpty());
    auto x = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::exportCsv(env.file("junk.ocx"), env.root() + "/x.csv", o, e);
    });
    EXPECT_NE(x.code, 0);
    EXPECT_FALSE(QFile::exists(env.root() + "/x.csv"));
    EXPECT_EQ(readFile(env.file("junk.ocx")), before);
}

TEST(BankCtl, BuildRefusesAFileAnEditorHoldsOpen) {
    TestEnv env;
    env.makeBank({{"交通信号", "old", "a"}});
    env.makePersonalList({{"", "mine", "1"}});
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "交通信号,new,b\n");
    for (const char* held : {"reg.ocx", "word.ocx"}) {
        const QByteArray bank = readFile(env.file("reg.ocx")),
                         personal = readFile(env.file("word.ocx"));
        {
            auto holder =
                Database::open(env.file(held), {.exclusive = true},
                               QString(held) == "reg.ocx" ? Queries::kBankConnect : QString());
            auto b = run([&](QTextStream& o, QTextStream& e) {
                return BankCommands::build(csv, env.programDir(), true, o, e);
            });
            EXPECT_NE(b.code, 0) << held;
            EXPECT_TRUE(b.err.contains(held)) << b.err.toStdString();
            EXPECT_TRUE(b.err.contains("独占")) << b.err.toStdString();
            // The holder still reads its own file, which is the one at the path.
            EXPECT_EQ(RecordSet::open(holder, "select * from word")->RecordCount(), 1) << held;
        }
        EXPECT_EQ(readFile(env.file("reg.ocx")), bank) << held;
        EXPECT_EQ(readFile(env.file("word.ocx")), personal) << held;
        EXPECT_EQ(QDir(env.programDir()).entryList(QDir::Files).size(), 2)
            << "no temporary file left";
    }
    // Let go, the same build goes through.
    auto b = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), true, o, e);
    });
    EXPECT_EQ(b.code, 0) << b.err.toStdString();
    auto db = Database::open(env.file("reg.ocx"), {}, Queries::kBankConnect);
    EXPECT_EQ(RecordSet::open(db, Queries::displayAll())->text("English"), "new");
}

TEST(BankCtl, CheckReportsABankWhoseIndexIsNotTheRowId) {
    TestEnv env;
    env.makeFileWith(
        "reg.ocx",
        {R"(CREATE TABLE Word ("index" INTEGER, English TEXT UNIQUE, Chinese TEXT, category TEXT))",
         "INSERT INTO Word VALUES (1, 'a', '1', '交通信号')",
         "INSERT INTO Word VALUES (1, 'b', '2', '交通信号')",
         "INSERT INTO Word VALUES (NULL, 'c', '3', '文明驾驶')"},
        Queries::kBankPassword);
    const QByteArray before = readFile(env.file("reg.ocx"));
    auto c = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("reg.ocx"), o, e);
    });
    EXPECT_EQ(c.code, 3) << c.err.toStdString();
    EXPECT_TRUE(c.out.contains("integrity ok, 3 questions")) << c.out.toStdString();
    EXPECT_TRUE(c.err.contains("index")) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("不能修改")) << c.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);

    env.makeBank({{"交通信号", "a", "1"}});
    auto ok = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("reg.ocx"), o, e);
    });
    EXPECT_EQ(ok.code, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.err.isEmpty());
}
