// SPDX-License-Identifier: GPL-3.0-or-later
// Exam-form questions in the CSV: optional columns found by their header
// names, every problem named in one run, and export then build keeping every
// field as it was.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QDir>

#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"
#include "tests/tools/buildoutcome.h"
#include "tools/bankcommands.h"
#include "tools/bankcsv.h"

namespace {
using Outcome = BuildOutcome;

Outcome build(const QString& csv, const QString& outDir, bool skipRepeats = false) {
    return runBuild(csv, outDir, true, skipRepeats);
}

Outcome exportTo(const QString& db, const QString& csv) {
    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = BankCommands::exportCsv(db, csv, out, err);
    out.flush();
    err.flush();
    return {code, o, e};
}

// Every stored field of every row, the key included, in row order.
QStringList everyField(const QString& path) {
    SQLite::Database db(path.toStdString());
    SQLite::Statement cols(db, "SELECT name FROM pragma_table_info('Word') ORDER BY name");
    QStringList names;
    while (cols.executeStep()) names << QString::fromUtf8(cols.getColumn(0).getText());
    names.removeAll("index");  // row ids are given again by the build
    QStringList out{names.join(',')};
    SQLite::Statement rows(db, QStringLiteral("SELECT %1 FROM Word ORDER BY rowid")
                                   .arg("quote(" + names.join("), quote(") + ")")
                                   .toStdString());
    while (rows.executeStep()) {
        QStringList cells;
        for (int i = 0; i < names.size(); ++i)
            cells << QString::fromUtf8(rows.getColumn(i).getText());
        out << cells.join('|');
    }
    return out;
}
}  // namespace

TEST(ExamCsv, OptionalColumnsAreFoundByNameInAnyOrderAndAnswersNormalised) {
    const auto r = BankCsv::parse(
        "category,question,answer,explanation,option_b,kind,option_a,picture,option_c,option_d\n"
        "交通信号,红灯亮时可以右转吗？,对,不妨碍放行的车辆时可以,,判断,,,,\n"
        "文明驾驶,遇到行人应当怎样？,b,,减速停车让行,单选,鸣喇叭催促,,加速通过,\n"
        "临危处置,爆胎后应当怎样？,\"d, a\",,猛踩制动,多选,握稳方向盘,,急转方向,逐渐减速\n"
        "交通信号,黄灯表示什么？,警示\n");
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.questions.size(), 4u);
    EXPECT_EQ(r.questions[0].answer, "正确");
    EXPECT_EQ(r.questions[0].exam.kind, "判断");
    EXPECT_EQ(r.questions[0].exam.explanation, "不妨碍放行的车辆时可以");
    EXPECT_EQ(r.questions[1].answer, "B");
    EXPECT_EQ(r.questions[1].exam.options[0], "鸣喇叭催促");
    EXPECT_EQ(r.questions[1].exam.options[1], "减速停车让行");
    EXPECT_EQ(r.questions[2].answer, "AD");
    EXPECT_EQ(r.questions[2].exam.options[3], "逐渐减速");
    EXPECT_TRUE(r.questions[3].exam.isEmpty()) << "a short line is a plain question";
    EXPECT_EQ(r.questions[3].answer, "警示");
}

TEST(ExamCsv, EveryProblemOfEveryLineIsNamedInOneRun) {
    const auto r = BankCsv::parse(
        "category,question,answer,kind,option_a,option_b,option_c,option_d,colour\n"
        "交通信号,判断题有选项,对,判断,甲,,,,\n"           // line 2
        "交通信号,判断题答案不对,也许,判断,,,,,\n"         // line 3
        "交通信号,单选题的字母没有选项,C,单选,甲,乙,,,\n"  // line 4
        "交通信号,多选题只有一个字母,A,多选,甲,乙,丙,,\n"  // line 5
        "交通信号,未知题型,A,填空,甲,乙,,,\n"              // line 6
        "交通信号,有选项没有题型,A,,甲,乙,,,\n");          // line 7
    ASSERT_FALSE(r.ok());
    const QString e = r.error;
    EXPECT_TRUE(e.contains("第 1 行：未知的列名“colour”")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 2 行：判断题不能有选项")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 3 行：判断题的答案应为 正确 或 错误")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 4 行：答案“C”中的 C 没有对应的选项")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 5 行：多选题的答案至少要有两个字母")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 6 行：未知的题型“填空”")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 7 行：有选项但没有题型")) << e.toStdString();
}

TEST(ExamCsv, RowsThatDifferByPictureOrOptionsAreTwoQuestionsEvenWhenSkippingRepeats) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/red.png", PictureBytes::encoded("PNG", 8, 8));
    writeFile(src + "/blue.png", PictureBytes::encoded("PNG", 8, 8, Qt::blue));
    writeFile(src + "/red-again.png", PictureBytes::encoded("PNG", 8, 8));
    writeFile(src + "/bank.csv",
              "category,question,answer,picture,kind,option_a,option_b\n"
              "交通信号,这是什么标志？,A,red.png,单选,停车让行,减速让行\n"
              "交通信号,这是什么标志？,A,blue.png,单选,停车让行,减速让行\n"
              "交通信号,这是什么标志？,B,,单选,停车让行,减速让行\n"
              "交通信号,这是什么标志？,A,,单选,禁止通行,减速让行\n"
              "交通信号,这是什么标志？,B,,单选,停车让行,减速让行\n"  // repeats line 4
              "交通信号,这是什么标志？,A,red-again.png,单选,停车让行,减速让行\n");  // same bytes as
                                                                                    // line 2
    const Outcome r = build(src + "/bank.csv", env.programDir(), /*skipRepeats=*/true);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("跳过了 2 道")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("第 7 行的题目与第 2 行重复（图片内容相同")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("4 道题，其中 2 道有图片")) << r.out.toStdString();
}

TEST(ExamCsv, ExportThenBuildIsIdenticalInEveryField) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/sign.png", PictureBytes::encoded("PNG", 8, 8));
    writeFile(
        src + "/bank.csv",
        "category,question,answer,kind,option_a,option_b,option_c,option_d,explanation,picture\n"
        "交通信号,\"含逗号, 和\"\"引号\"\"的题\",√,判断,,,,,\"解析，第二行\n在这里\",sign.png\n"
        "文明驾驶,遇到行人应当怎样？,b,单选,鸣喇叭,停车让行,,,,\n"
        "临危处置,爆胎后应当怎样？,DA,多选,握稳方向盘,猛踩制动,急转方向,逐渐减速,先稳住,\n"
        "交通信号,这是什么标志？,停车让行,,,,,,,sign.png\n");
    ASSERT_EQ(build(src + "/bank.csv", env.root() + "/one").code, 0);
    const Outcome x = exportTo(env.root() + "/one/reg.ocx", env.root() + "/out/bank.csv");
    ASSERT_EQ(x.code, 0) << x.err.toStdString();
    const Outcome again = build(env.root() + "/out/bank.csv", env.root() + "/two");
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    const QStringList first = everyField(env.root() + "/one/reg.ocx");
    EXPECT_EQ(first, everyField(env.root() + "/two/reg.ocx"));
    EXPECT_TRUE(first[0].contains("option_d") && first[0].contains("identity"));
    EXPECT_TRUE(first.join('\n').contains("'正确'") && first.join('\n').contains("'AD'"));
}

TEST(ExamCsv, ABankWithoutTheColumnsExportsAsBefore) {
    TestEnv env;
    const QString src = env.root() + "/src";
    writeFile(src + "/bank.csv", "category,question,answer\n交通信号,q,a\n");
    ASSERT_EQ(build(src + "/bank.csv", env.root() + "/one").code, 0);
    SQLite::Database db((env.root() + "/one/reg.ocx").toStdString());
    SQLite::Statement cols(db,
                           "SELECT count(*) FROM pragma_table_info('Word') WHERE name = 'kind'");
    ASSERT_TRUE(cols.executeStep());
    EXPECT_EQ(cols.getColumn(0).getInt(), 0) << "no column is added that nothing is written into";
    const Outcome x = exportTo(env.root() + "/one/reg.ocx", env.root() + "/out.csv");
    ASSERT_EQ(x.code, 0);
    EXPECT_EQ(readFile(env.root() + "/out.csv"), "category,question,answer\n交通信号,q,a\n");
}
