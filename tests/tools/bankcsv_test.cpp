// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tools/bankcsv.h"

TEST(BankCsv, ReadsQuotedFieldsAndSkipsTheHeader) {
    const auto r = BankCsv::parse(
        "category,question,answer\n"
        "交通信号,\"红灯, 黄灯\",\"说 \"\"停\"\"\"\r\n"
        "\n"
        "文明驾驶,\"两行\n问题\",答\n");
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.questions.size(), 2u);
    EXPECT_EQ(r.questions[0].question, "红灯, 黄灯");
    EXPECT_EQ(r.questions[0].answer, "说 \"停\"");
    EXPECT_EQ(r.questions[1].question, "两行\n问题");
}

struct BadCsv {
    const char* text;
    const char* error;
};

class BankCsvErrors : public ::testing::TestWithParam<BadCsv> {};

TEST_P(BankCsvErrors, RefusedWithTheLineNumber) {
    const auto r = BankCsv::parse(GetParam().text);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.questions.empty());
    EXPECT_TRUE(r.error.contains(QString::fromUtf8(GetParam().error))) << r.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BankCsvErrors,
    ::testing::Values(BadCsv{"交通信号,q,a\n交通信号,q,b\n", "第 2 行的题目与第 1 行重复（答案不同，类别相同）：q"},
                      BadCsv{"交通信号,q,a\n天气,r,b\n", "第 2 行：未知的类别“天气”"},
                      BadCsv{"交通信号,q\n", "第 1 行：有 2 个字段，应为 3 或 4 个"},
                      BadCsv{"交通信号,q,a,x,y\n", "第 1 行：有 5 个字段"},
                      BadCsv{"交通信号,\"q,a\n", "第 1 行：引号中的字段没有结束"},
                      BadCsv{"交通信号,q,a\n交通信号,\"x\"y,a\n", "第 2 行：引号结束后还有文字"},
                      BadCsv{"交通信号,  ,a\n", "第 1 行：题目为空"},
                      BadCsv{"交通信号,q, \n", "第 1 行：答案为空"},
                      BadCsv{"交通信号,\"a\nb\",c\n交通信号,d\n", "第 3 行：有 2 个字段"},
                      BadCsv{"\xff\xfe,q,a\n", "第 1 行不是 UTF-8"}));

TEST(BankCsv, OnlyPlainBlanksCountAsEmpty) {
    // What the editors store (a tab, a full-width blank) must build again.
    const auto r = BankCsv::parse("交通信号,\t,\u3000\n");
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.questions[0].question, "\t");
}

TEST(BankCsv, WriteThenReadGivesTheSameRows) {
    std::vector<BankSchema::Question> rows = {{"交通信号", "a,\"b\"", "c\nd"}, {"事故自救", "🚗 emoji", "' OR 1=1 --"}};
    const auto r = BankCsv::parse(BankCsv::write(rows));
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.questions.size(), 2u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(r.questions[i].category, rows[i].category);
        EXPECT_EQ(r.questions[i].question, rows[i].question);
        EXPECT_EQ(r.questions[i].answer, rows[i].answer);
    }
}

TEST(BankCsv, APictureColumnIsOptionalAndItsCellMayBeEmpty) {
    const auto r = BankCsv::parse(
        "category,question,answer,picture\n"
        "交通信号,q1,a1,bank-pictures/stop.svg\n"
        "交通信号,q2,a2,\n"
        "交通信号,q3,a3\n");
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.pictures, QStringList({"bank-pictures/stop.svg", "", ""}));
    EXPECT_EQ(r.lines, std::vector<int>({2, 3, 4}));
    const QByteArray again = BankCsv::write(r.questions, true, r.pictures);
    EXPECT_TRUE(again.startsWith("category,question,answer,picture\n交通信号,q1,a1,bank-pictures/stop.svg\n"))
        << again.toStdString();
    EXPECT_TRUE(BankCsv::write(r.questions, true, {"", "", ""}).startsWith("category,question,answer\n"));
}

TEST(BankCsv, EveryRepeatIsReportedAtOnceWithBothLines) {
    const QByteArray text =
        "交通信号,q,a\n"
        "文明驾驶,r,b\n"
        "交通信号,q,a\n"    // line 3: same as line 1
        "事故自救,r,b\n"    // line 4: same answer, other category than line 2
        "交通信号,q,other\n";  // line 5: other answer than line 1
    const auto r = BankCsv::parse(text);
    ASSERT_FALSE(r.ok());
    const QString e = r.error;
    EXPECT_TRUE(e.contains("第 3 行的题目与第 1 行重复（答案相同，类别相同）：q")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 4 行的题目与第 2 行重复（答案相同，类别不同）：r")) << e.toStdString();
    EXPECT_TRUE(e.contains("第 5 行的题目与第 1 行重复（答案不同，类别相同）：q")) << e.toStdString();
    EXPECT_TRUE(e.contains("共有 3 道重复的题目，其中 2 道答案相同，可用 --skip-repeats 跳过")) << e.toStdString();

    const auto skipping = BankCsv::parse(text, true, true);
    ASSERT_FALSE(skipping.ok()) << "a repeat whose answer differs is still refused";
    EXPECT_TRUE(skipping.error.contains("第 5 行的题目与第 1 行重复（答案不同"));
    EXPECT_FALSE(skipping.error.contains("第 3 行"));
    EXPECT_TRUE(skipping.error.contains("不能跳过"));

    const auto fixed = BankCsv::parse(text.left(text.lastIndexOf("交通信号,q,other")), true, true);
    ASSERT_TRUE(fixed.ok()) << fixed.error.toStdString();
    ASSERT_EQ(fixed.questions.size(), 2u);
    EXPECT_EQ(fixed.questions[1].category, "文明驾驶") << "the first of the repeats is kept";
    EXPECT_EQ(fixed.skipped.size(), 2);
}

TEST(BankCsv, OtherFaultsAreListedTogetherToo) {
    const auto r = BankCsv::parse("天气,q,a\n交通信号,r\n交通信号,s, \n");
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("第 1 行") && r.error.contains("第 2 行") && r.error.contains("第 3 行"))
        << r.error.toStdString();
}

TEST(BankCsv, ATextInGbkNamesItsFirstBadLineAndTheEncoding) {
    QByteArray gbk = "category,question,answer\n";
    gbk += "\xBD\xBB\xCD\xA8\xD0\xC5\xBA\xC5,\xBA\xEC\xB5\xC6,\xCD\xA3\n";  // 交通信号,红灯,停
    const auto r = BankCsv::parse(gbk);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("第 2 行不是 UTF-8 编码的文字")) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("GB 18030（GBK）")) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("另存为 UTF-8"));

    const auto latin = BankCsv::parse("category,question,answer\n交通信号,q,a\n交通信号,\xFF\xFF\xFF,b\n");
    EXPECT_TRUE(latin.error.contains("第 3 行不是 UTF-8")) << latin.error.toStdString();
    EXPECT_FALSE(latin.error.contains("GB 18030")) << "0xFF never occurs in GB 18030";
}
