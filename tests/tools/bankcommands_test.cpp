// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "tests/support/picturebytes.h"
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
    writeFile(csv,
              "category,question,answer\n交通信号,\"q, 1\",a1\n事故自救,q2,\"' OR 1=1; --\"\n");
    const QString out = env.root() + "/out";
    auto b = run(
        [&](QTextStream& o, QTextStream& e) { return BankCommands::build(csv, out, false, o, e); });
    ASSERT_EQ(b.code, 0) << b.err.toStdString();
    auto db = Database::open(out + "/reg.ocx", {}, Queries::kBankConnect);
    EXPECT_EQ(RecordSet::open(db, Queries::displayAll())->RecordCount(), 2);
    EXPECT_THROW(Database::open(out + "/reg.ocx", {}, ""), DbError);
    auto word = Database::open(out + "/word.ocx", {});
    EXPECT_EQ(RecordSet::open(word, Queries::personalList())->RecordCount(), 0);

    auto x = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::exportCsv(out + "/reg.ocx", "-", o, e);
    });
    ASSERT_EQ(x.code, 0);
    EXPECT_EQ(x.out, "category,question,answer\n交通信号,\"q, 1\",a1\n事故自救,q2,' OR 1=1; --\n");

    auto c = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(out + "/reg.ocx", o, e);
    });
    EXPECT_EQ(c.code, 0);
    EXPECT_TRUE(c.out.contains("完整性检查通过，共 2 道题"));
    EXPECT_TRUE(c.out.contains("交通信号：1"));
    EXPECT_TRUE(c.out.contains("文明驾驶：0"));
}

TEST(BankCtl, BadCsvLeavesTheOldBankInPlace) {
    TestEnv env;
    env.makeBank({{"交通信号", "old", "a"}});
    const QByteArray before = readFile(env.file("reg.ocx"));
    const QString csv = env.root() + "/bad.csv";
    writeFile(csv, "交通信号,q,a\n交通信号,q,b\n");
    auto b = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    EXPECT_NE(b.code, 0);
    EXPECT_TRUE(b.err.contains("第 2 行")) << b.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);
    EXPECT_EQ(QDir(env.programDir()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST(BankCtl, ExistingPersonalListIsKept) {
    TestEnv env;
    env.makePersonalList({{"", "mine", "1"}});
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "交通信号,q,a\n");
    run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    auto word = Database::open(env.file("word.ocx"), {});
    EXPECT_EQ(RecordSet::open(word, Queries::personalList())->RecordCount(), 1);
}

TEST(BankCtl, CheckOfADamagedBankSaysSoInChinese) {
    TestEnv env;
    std::vector<BankSchema::Question> qs;
    for (int i = 0; i < 2000; ++i)
        qs.push_back({"交通信号", QString("问题%1").arg(i), QString(200, QChar('x'))});
    env.makeBank(qs);
    const QByteArray good = readFile(env.file("reg.ocx"));
    QByteArray bad = good;
    for (int i = good.size() / 2; i < good.size() / 2 + 8192; ++i) bad[i] = char(0xA5);
    writeFile(env.file("reg.ocx"), bad);
    auto c = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("reg.ocx"), o, e);
    });
    EXPECT_EQ(c.code, 2) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("reg.ocx")) << c.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), bad);
}

TEST(BankCtl, CheckAndExportReportBadFiles) {
    TestEnv env;
    writeFile(env.file("junk.ocx"), "not a database at all, just some words and more words");
    const QByteArray before = readFile(env.file("junk.ocx"));
    auto c = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("junk.ocx"), o, e);
    });
    EXPECT_NE(c.code, 0);
    EXPECT_FALSE(c.err.isEmpty());
    auto x = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::exportCsv(env.file("junk.ocx"), env.root() + "/x.csv", o, e);
    });
    EXPECT_NE(x.code, 0);
    EXPECT_FALSE(QFile::exists(env.root() + "/x.csv"));
    EXPECT_EQ(readFile(env.file("junk.ocx")), before);
}

namespace {
// Every field of every row, pictures as bytes, in the order of addition.
std::vector<QVariantList> allFields(const QString& path) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(
        db, "SELECT \"index\", English, Chinese, category, picture FROM Word ORDER BY \"index\"");
    std::vector<QVariantList> rows;
    while (q.executeStep()) {
        QVariantList row;
        for (int i = 0; i < 4; ++i) row << QString::fromUtf8(q.getColumn(i).getText());
        const auto p = q.getColumn(4);
        row << (p.isNull()
                    ? QVariant()
                    : QVariant(QByteArray(static_cast<const char*>(p.getBlob()), p.getBytes())));
        rows.push_back(row);
    }
    return rows;
}
}  // namespace

TEST(BankCtlPictures, ExportThenBuildGivesTheSameBankInEveryField) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/pics/sign.svg", PictureBytes::svgSign());
    writeFile(src + "/pics/photo.jpeg", PictureBytes::encoded("JPEG", 60, 40));
    writeFile(src + "/pics/lamp", PictureBytes::encoded("PNG", 16, 16));  // no extension: sniffed
    writeFile(src + "/pics/anim.gif", PictureBytes::gif(4, 4, 3));
    writeFile(src + "/pics/w.webp", PictureBytes::encoded("WEBP", 10, 10));
    writeFile(src + "/bank.csv",
              "category,question,answer,picture\n"
              "交通信号,限速标志,40,pics/sign.svg\n"
              "文明驾驶,没有图片,答,\n"
              "机动车知识,照片,答,pics/photo.jpeg\n"
              "机动车知识,指示灯,答,pics/lamp\n"
              "交通信号,动画,答,pics/anim.gif\n"
              "交通信号,\"WebP, 图\",答,pics/w.webp\n");
    const QString first = env.root() + "/first", second = env.root() + "/second";
    auto b = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(src + "/bank.csv", first, false, o, e);
    });
    ASSERT_EQ(b.code, 0) << b.err.toStdString();
    EXPECT_TRUE(b.out.contains("6 道题，其中 5 道有图片")) << b.out.toStdString();

    const QString csv = env.root() + "/out/bank.csv";
    auto x = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::exportCsv(first + "/reg.ocx", csv, o, e);
    });
    ASSERT_EQ(x.code, 0) << x.err.toStdString();
    const QString exported = QString::fromUtf8(readFile(csv));
    EXPECT_TRUE(exported.startsWith(
        "category,question,answer,picture\n交通信号,限速标志,40,bank-pictures/1.svg\n"))
        << exported.toStdString();
    EXPECT_TRUE(exported.contains("文明驾驶,没有图片,答,\n"));
    EXPECT_TRUE(
        exported.contains("bank-pictures/3.jpg") && exported.contains("bank-pictures/4.png") &&
        exported.contains("bank-pictures/5.gif") && exported.contains("bank-pictures/6.webp"));
    EXPECT_EQ(readFile(env.root() + "/out/bank-pictures/4.png"), readFile(src + "/pics/lamp"));

    auto b2 = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, second, false, o, e);
    });
    ASSERT_EQ(b2.code, 0) << b2.err.toStdString();
    const auto a = allFields(first + "/reg.ocx"), c = allFields(second + "/reg.ocx");
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a[0][4].toByteArray(), PictureBytes::svgSign());
    EXPECT_TRUE(a[1][4].isNull());

    auto k = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(second + "/reg.ocx", o, e);
    });
    EXPECT_EQ(k.code, 0) << k.err.toStdString();
    EXPECT_TRUE(k.out.contains("有图片的题目：5 道")) << k.out.toStdString();
    EXPECT_TRUE(k.out.contains("交通信号：3（有图片 3）")) << k.out.toStdString();
    EXPECT_TRUE(k.out.contains("机动车知识：2（有图片 2）"));
    EXPECT_TRUE(k.out.contains("文明驾驶：1（有图片 0）"));

    auto toStdout = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::exportCsv(first + "/reg.ocx", "-", o, e);
    });
    EXPECT_EQ(toStdout.code, 1);
    EXPECT_TRUE(toStdout.out.isEmpty());
}

TEST(BankCtlPictures, MissingAndUndecodablePicturesAreRefusedWithTheirLines) {
    TestEnv env;
    env.makeBank({{"交通信号", "old", "a"}});
    const QByteArray before = readFile(env.file("reg.ocx"));
    writeFile(env.root() + "/junk.png", "\x89PNG\r\n\x1a\nnot really");
    writeFile(env.root() + "/giant.png", PictureBytes::pngDeclaring(50000, 50000));
    writeFile(env.root() + "/loop.svg",
              "<svg xmlns=\"http://www.w3.org/2000/svg\"><g id=\"a\"><use href=\"#a\"/></g></svg>");
    writeFile(env.root() + "/bank.csv",
              "交通信号,q1,a,missing.png\n交通信号,q2,a,junk.png\n交通信号,q3,a,giant."
              "png\n交通信号,q4,a,loop.svg\n");
    auto b = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(env.root() + "/bank.csv", env.programDir(), false, o, e);
    });
    EXPECT_EQ(b.code, 1);
    EXPECT_TRUE(b.err.contains("第 1 行的图片“missing.png”不存在")) << b.err.toStdString();
    EXPECT_TRUE(b.err.contains("第 2 行的图片“junk.png”无法使用")) << b.err.toStdString();
    EXPECT_TRUE(b.err.contains("第 3 行的图片“giant.png”无法使用：图片声明的尺寸过大"))
        << b.err.toStdString();
    EXPECT_TRUE(b.err.contains("第 4 行的图片“loop.svg”无法使用")) << b.err.toStdString();
    EXPECT_EQ(readFile(env.file("reg.ocx")), before);
}

TEST(BankCtlPictures, CheckReportsAPictureThatDoesNotDecode) {
    TestEnv env;
    env.makeBank({{"交通信号", "bad", "a", "GIF89a broken"},
                  {"交通信号", "good", "b", PictureBytes::svgSign()}});
    auto k = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("reg.ocx"), o, e);
    });
    EXPECT_EQ(k.code, 2);
    EXPECT_TRUE(k.err.contains("记录 1（bad）的图片无法显示")) << k.err.toStdString();
    EXPECT_TRUE(k.out.contains("交通信号：2（有图片 1）")) << k.out.toStdString();
}

TEST(BankCtlRepeats, ReportedTogetherThenSkippedWhereTheAnswersAgree) {
    TestEnv env;
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "交通信号,q,a\n交通信号,r,b\n交通信号,q,a\n交通信号,r,b\n交通信号,s,c\n");
    auto refused = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("第 3 行的题目与第 1 行重复") &&
                refused.err.contains("第 4 行的题目与第 2 行重复"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(env.file("reg.ocx")));

    auto kept = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e, /*skipRepeats=*/true);
    });
    ASSERT_EQ(kept.code, 0) << kept.err.toStdString();
    EXPECT_TRUE(kept.out.contains("跳过了 2 道答案相同的重复题目")) << kept.out.toStdString();
    auto db = Database::open(env.file("reg.ocx"), {}, Queries::kBankConnect);
    EXPECT_EQ(RecordSet::open(db, Queries::displayAll())->RecordCount(), 3);
}

TEST(BankCtlRepeats, GbkInputIsRefusedWithAdvice) {
    TestEnv env;
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "\xBD\xBB\xCD\xA8\xD0\xC5\xBA\xC5,\xBA\xEC\xB5\xC6,\xCD\xA3\n");
    auto b = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    EXPECT_EQ(b.code, 1);
    EXPECT_TRUE(b.err.contains("第 1 行不是 UTF-8") && b.err.contains("GBK") &&
                b.err.contains("另存为 UTF-8"))
        << b.err.toStdString();
}

TEST(BankCtl, TheSuccessMessageNamesOnlyTheFilesWritten) {
    TestEnv env;
    const QString csv = env.root() + "/bank.csv";
    writeFile(csv, "交通信号,q,a\n");
    auto first = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    EXPECT_TRUE(first.out.contains("reg.ocx") && first.out.contains("word.ocx"))
        << first.out.toStdString();
    auto again = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::build(csv, env.programDir(), false, o, e);
    });
    EXPECT_TRUE(again.out.contains("reg.ocx"));
    EXPECT_FALSE(again.out.contains("word.ocx")) << again.out.toStdString();
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
    EXPECT_TRUE(c.out.contains("完整性检查通过，共 3 道题")) << c.out.toStdString();
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

TEST(BankCtl, CheckNamesAMissingFileByItsWholePathAndReportsInChinese) {
    TestEnv env;
    const QString relative =
        QDir(QDir::currentPath()).relativeFilePath(env.root() + "/nowhere/reg.ocx");
    auto missing =
        run([&](QTextStream& o, QTextStream& e) { return BankCommands::check(relative, o, e); });
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith("bankctl: 找不到数据库文件“reg.ocx”"))
        << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains(env.root() + "/nowhere/reg.ocx")) << missing.err.toStdString();

    env.makeBank({{"交通信号", "q", "a", PictureBytes::svgSign()}, {"天气", "r", "b"}});
    auto c = run([&](QTextStream& o, QTextStream& e) {
        return BankCommands::check(env.file("reg.ocx"), o, e);
    });
    EXPECT_EQ(c.code, 0) << c.err.toStdString();
    EXPECT_TRUE(c.out.startsWith(env.file("reg.ocx") + "：完整性检查通过，共 2 道题\n"))
        << c.out.toStdString();
    EXPECT_TRUE(c.out.contains("（未知类别）天气：1")) << c.out.toStdString();
    // Apart from the path, no word of English.
    static const QRegularExpression word("[A-Za-z]{2,}");
    EXPECT_FALSE(QString(c.out).remove(env.file("reg.ocx")).contains(word)) << c.out.toStdString();
}
