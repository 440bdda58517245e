// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "questionbank/categories.h"
#include "questionbank/queries.h"

TEST(Categories, TenNamesInListOrder) {
    const QStringList names = Categories::names();
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names.first(), "交通安全法律");
    EXPECT_EQ(names[2], "文明驾驶");
    EXPECT_EQ(names.last(), "轮式机械车");
}

TEST(Queries, TextsStandExactlyAsDocumented) {
    EXPECT_EQ(Queries::displayAll(), "select * from word ");
    EXPECT_EQ(Queries::displayCategory("交通信号"), "select * from word where category='交通信号'");
    EXPECT_EQ(Queries::displayWeatherFallback(), "select * from word where category= 'Weather'");
    EXPECT_EQ(Queries::personalList(), "SELECT * FROM Word ORDER BY index;");
    EXPECT_EQ(Queries::studyEditor(), "select * from word ORDER BY English");
    EXPECT_EQ(Queries::managerEditor("事故自救"), "select * from word where category='事故自救' ORDER BY English");
    EXPECT_EQ(Queries::kBankConnect, ";pwd=57302419");
}

TEST(Queries, IndexIsQuotedOnlyAsABareWord) {
    EXPECT_EQ(Queries::toSqlite("SELECT * FROM Word ORDER BY index;"), "SELECT * FROM Word ORDER BY \"index\";");
    EXPECT_EQ(Queries::toSqlite("select * from word where category='index' ORDER BY Index"),
              "select * from word where category='index' ORDER BY \"Index\"");
    EXPECT_EQ(Queries::toSqlite("select reindex, index_no from word where a='it''s index'"),
              "select reindex, index_no from word where a='it''s index'");
    EXPECT_EQ(Queries::toSqlite("select \"index\" from word"), "select \"index\" from word");
}
