// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl check on an exam-form bank: it counts the questions of each kind,
// those with options and those with a picture, checks every stored identity
// against its question, and names every problem it finds in one run.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QDir>

#include "questionbank/examfields.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"
#include "tests/tools/buildoutcome.h"
#include "tools/bankcommands.h"

namespace {

BuildOutcome check(const QString& file) {
    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = BankCommands::check(file, out, err);
    out.flush();
    err.flush();
    return {code, o, e};
}

// One question of each kind and a plain one; the 单选 has a picture.
QString builtBank(TestEnv& env) {
    QDir().mkpath(env.root() + "/src/pictures");
    writeFile(env.root() + "/src/pictures/sign.png", PictureBytes::encoded("PNG", 24, 24));
    writeFile(env.root() + "/src/bank.csv",
              "category,question,answer,kind,option_a,option_b,option_c,option_d,explanation,"
              "picture\n"
              "交通信号,这是什么标志？,B,单选,禁止通行,禁止驶入,禁止停车,减速让行,,"
              "pictures/sign.png\n"
              "文明驾驶,遇到行人通过人行横道时应当怎样做？,AC,多选,减速,鸣喇叭,停车让行,绕行,,\n"
              "文明驾驶,行人通过人行横道时可以鸣喇叭催促。,错误,判断,,,,,应当停车让行,\n"
              "交通安全法律,累积记分的周期是多长？,12个月,,,,,,,\n"
              "交通安全法律,饮酒后可以驾驶机动车。,错误,判断,,,,,,\n");
    const BuildOutcome b = runBuild(env.root() + "/src/bank.csv", env.root() + "/out", true);
    EXPECT_EQ(b.code, 0) << b.err.toStdString();
    return env.root() + "/out/reg.ocx";
}

}  // namespace

TEST(BankCheckExam, CountsKindsOptionsAndPicturesAndVerifiesEveryIdentity) {
    TestEnv env;
    const BuildOutcome r = check(builtBank(env));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("共 5 道题")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("有图片的题目：1 道"));
    EXPECT_TRUE(r.out.contains("题型：单选 1 道，多选 1 道，判断 2 道，普通题 1 道"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("有选项的题目：2 道"));
    EXPECT_TRUE(r.out.contains("题目标识：已逐条核对 5 道")) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(BankCheckExam, EveryFaultyQuestionAndStaleIdentityIsNamedInOneRun) {
    TestEnv env;
    const QString file = builtBank(env);
    {
        // What another tool might have done to the file behind the programs' backs.
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("UPDATE Word SET Chinese = 'A' WHERE kind = '多选'");
        db.exec("UPDATE Word SET option_a = '对' WHERE English = '饮酒后可以驾驶机动车。'");
        db.exec("UPDATE Word SET option_d = NULL, Chinese = 'D' WHERE kind = '单选'");
        db.exec(
            "UPDATE Word SET English = '累积记分的周期是多长时间？' "
            "WHERE English = '累积记分的周期是多长？'");
    }
    const BuildOutcome r = check(file);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("6 处题目有问题")) << r.err.toStdString();
    auto named = [&](const QString& question, const QString& problem) {
        for (const QString& line : r.err.split('\n'))
            if (line.contains("（" + question + "）") && line.contains(problem)) return true;
        return false;
    };
    EXPECT_TRUE(named("遇到行人通过人行横道时应当怎样做？", "多选")) << r.err.toStdString();
    EXPECT_TRUE(named("饮酒后可以驾驶机动车。", "判断题不能有选项"));
    EXPECT_TRUE(named("饮酒后可以驾驶机动车。", "题目标识")) << "its options are part of it";
    EXPECT_TRUE(named("这是什么标志？", "D")) << "an answer letter without its option";
    EXPECT_TRUE(named("这是什么标志？", "题目标识")) << "option D was part of its identity";
    EXPECT_TRUE(named("累积记分的周期是多长时间？", "题目标识")) << "text changed, identity not";
    EXPECT_FALSE(r.err.contains("这是什么标志？的图片")) << "its picture still decodes";
    // The counts still come out: the file itself is readable.
    EXPECT_TRUE(r.out.contains("题型：单选 1 道，多选 1 道，判断 2 道，普通题 1 道"));
}

TEST(BankCheckExam, ABankWithoutTheExamColumnsReportsNoKinds) {
    TestEnv env;
    env.makeBank({{"交通信号", "红灯", "停"}, {"交通信号", "绿灯", "行"}});
    const BuildOutcome r = check(env.file("reg.ocx"));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("共 2 道题"));
    EXPECT_FALSE(r.out.contains("题型")) << "a bank without the kind column has no kinds";
    EXPECT_FALSE(r.out.contains("有选项的题目"));
    EXPECT_TRUE(r.out.contains("题目标识：已逐条核对 2 道")) << r.out.toStdString();
}
