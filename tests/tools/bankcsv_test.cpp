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
    ::testing::Values(BadCsv{"交通信号,q,a\n交通信号,q,b\n", "line 2: duplicate question"},
                      BadCsv{"交通信号,q,a\n天气,r,b\n", "line 2: unknown category"},
                      BadCsv{"交通信号,q\n", "line 1: 2 fields"},
                      BadCsv{"交通信号,q,a,x\n", "line 1: 4 fields"},
                      BadCsv{"交通信号,\"q,a\n", "line 1: a quoted field is not closed"},
                      BadCsv{"交通信号,q,a\n交通信号,\"x\"y,a\n", "line 2: text after a closing quote"},
                      BadCsv{"交通信号,  ,a\n", "line 1: empty question"},
                      BadCsv{"交通信号,q, \n", "line 1: empty answer"},
                      BadCsv{"交通信号,\"a\nb\",c\n交通信号,d\n", "line 3: 2 fields"},
                      BadCsv{"\xff\xfe,q,a\n", "UTF-8"}));

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
