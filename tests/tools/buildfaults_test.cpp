// SPDX-License-Identifier: GPL-3.0-or-later
// What bankctl build refuses, all in one run, and where it may read pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"
#include "tests/tools/buildoutcome.h"
#include "tools/bankcommands.h"
#include "tools/bankcsv.h"

namespace {
using Outcome = BuildOutcome;

Outcome build(const QString& csv, const QString& outDir, bool skipRepeats = false) {
    return runBuild(csv, outDir, false, skipRepeats);
}
}  // namespace

TEST(BuildFaults, ABadLineAnUnknownCategoryAndAMissingPictureAreNamedInOneRun) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/ok.png", PictureBytes::encoded("PNG", 8, 8));
    writeFile(src + "/bank.csv",
              "category,question,answer,picture\n"
              "交通信号,好的一行,答,ok.png\n"
              "交通信号,少了答案\n"
              "天气,未知类别,答,\n"
              "文明驾驶,图片不在,答,gone.png\n");
    const Outcome r = build(src + "/bank.csv", env.programDir());
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("第 3 行：有 2 个字段")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("第 4 行：未知的类别“天气”")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("第 5 行的图片“gone.png”不存在")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("ok.png")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("没有写入任何文件。\n"));
    EXPECT_FALSE(QFile::exists(env.file("reg.ocx")));
}

TEST(BuildFaults, PicturesOfLinesWithFaultsAreCheckedTooButNotThoseOfSkippedRepeats) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/ok.png", PictureBytes::encoded("PNG", 8, 8));
    writeFile(src + "/bank.csv",
              "交通信号,q,a,ok.png\n"
              "天气,r,a,bad-category.png\n"
              "交通信号,q,a,./ok.png\n");  // the same picture: a repeat
    const Outcome r = build(src + "/bank.csv", env.programDir(), /*skipRepeats=*/true);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("第 2 行的图片“bad-category.png”不存在")) << r.err.toStdString();

    const auto parsed = BankCsv::parse(readFile(src + "/bank.csv"), true, true);
    EXPECT_FALSE(parsed.ok());
    EXPECT_TRUE(parsed.questions.empty()) << "a text with faults still yields no questions";
    ASSERT_EQ(parsed.namedPictures.size(), 2u) << "a repeat that is left out is not stored";
    EXPECT_EQ(parsed.namedPictures[1].line, 2);
}

TEST(BuildFaults, PicturesAreStoredWithTheirOwnQuestions) {
    TestEnv env;
    const QString src = env.root() + "/src";
    const QByteArray red = PictureBytes::encoded("PNG", 8, 8, Qt::red);
    const QByteArray blue = PictureBytes::encoded("PNG", 9, 9, Qt::blue);
    writeFile(src + "/red.png", red);
    writeFile(src + "/blue.png", blue);
    writeFile(src + "/bank.csv",
              "交通信号,一,答,blue.png\n交通信号,一,答,red.png\n交通信号,二,答,\n交通信号,三,答,"
              "red.png\n");
    ASSERT_EQ(build(src + "/bank.csv", env.programDir(), true).code, 0);
    QString o, e;
    QTextStream out(&o), err(&e);
    const QString csv = env.root() + "/back/bank.csv";
    ASSERT_EQ(BankCommands::exportCsv(env.file("reg.ocx"), csv, out, err), 0);
    // The same text with another picture is another question.
    EXPECT_EQ(QString::fromUtf8(readFile(csv)),
              "category,question,answer,picture\n交通信号,一,答,bank-pictures/1.png\n"
              "交通信号,一,答,bank-pictures/2.png\n"
              "交通信号,二,答,\n交通信号,三,答,bank-pictures/4.png\n");
    EXPECT_EQ(readFile(env.root() + "/back/bank-pictures/1.png"), blue);
    EXPECT_EQ(readFile(env.root() + "/back/bank-pictures/2.png"), red);
    EXPECT_EQ(readFile(env.root() + "/back/bank-pictures/4.png"), red);
}

// Only files inside the CSV's folder are read: a bank is passed on, and its
// CSV must not carry other files of the user's into it.
TEST(BuildFaults, APictureOutsideTheCsvFolderIsRefusedWithItsLineAndNotRead) {
    TestEnv env;
    const QString src = env.root() + "/src";
    const QString secret = env.root() + "/secret.png";  // beside src, outside it
    writeFile(secret, PictureBytes::encoded("PNG", 8, 8));
    writeFile(src + "/in/ok.png", PictureBytes::encoded("PNG", 8, 8));
    QDir().mkpath(src + "/in/deeper");
    ASSERT_TRUE(QFile::link(secret, src + "/link.png"));
    ASSERT_TRUE(QFile::link(env.root(), src + "/up"));
    ASSERT_TRUE(QFile::link(src + "/in/ok.png", src + "/inside-link.png"));
    const QStringList outside = {secret,     "../secret.png", "in/deeper/../../../secret.png",
                                 "link.png", "up/secret.png", "/nonexistent/x.png"};
    QByteArray csv;
    for (int i = 0; i < outside.size(); ++i)
        csv += QString("交通信号,问%1,答,%2\n").arg(i).arg(outside[i]).toUtf8();
    writeFile(src + "/bank.csv", csv);
    const Outcome r = build(src + "/bank.csv", env.programDir());
    EXPECT_EQ(r.code, 1);
    for (int i = 0; i < outside.size(); ++i)
        EXPECT_TRUE(r.err.contains(
            QString("第 %1 行的图片“%2”不在 CSV 文件所在的文件夹中").arg(i + 1).arg(outside[i])))
            << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(env.file("reg.ocx")));

    // Inside the folder, through "..", a sub-folder or a link that stays in, is fine.
    writeFile(src + "/bank.csv",
              "交通信号,子文件夹,答,in/ok.png\n"
              "交通信号,绕回来,答,in/deeper/../ok.png\n"
              "交通信号,留在里面的链接,答,inside-link.png\n"
              "交通信号,点,答,./in/ok.png\n");
    const Outcome ok = build(src + "/bank.csv", env.programDir());
    EXPECT_EQ(ok.code, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.out.contains("4 道题，其中 4 道有图片")) << ok.out.toStdString();
}
