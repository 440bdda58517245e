// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "questionbank/database.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/questionsource.h"
#include "tests/study/studyfixture.h"

namespace {
struct SourceCase {
    int guageword;
    const char* file;
    const char* connect;
    const char* source;
};
}  // namespace

class SourceSelection : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SourceSelection, RecordSourceForTheFilter) {
    StudyFixture f;
    f.env.makePersonalList({{"", "私有", "1"}});
    SettingsRecord r;
    r.guageword = qint16(GetParam().guageword);
    DataControl data;
    EXPECT_TRUE(selectSource(r, f.env.programDir(), data, nullptr));
    EXPECT_EQ(data.DatabaseName, f.env.file(GetParam().file));
    EXPECT_EQ(data.Connect, QString::fromUtf8(GetParam().connect));
    EXPECT_EQ(data.RecordSource, QString::fromUtf8(GetParam().source));
    EXPECT_TRUE(f.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SourceSelection,
    ::testing::Values(SourceCase{0, "reg.ocx", ";pwd=57302419", "select * from word "},
                      SourceCase{3, "reg.ocx", ";pwd=57302419", "select * from word where category='文明驾驶'"},
                      SourceCase{9, "reg.ocx", ";pwd=57302419", "select * from word where category='货车专用试题'"},
                      // The personal list keeps the designed connect text.
                      SourceCase{10, "word.ocx", "Access 2000;", "SELECT * FROM Word ORDER BY index;"},
                      SourceCase{12, "word.ocx", "Access 2000;", "SELECT * FROM Word ORDER BY index;"}));

TEST(SourceSelectionFallback, EmptyPersonalListShowsMessageThenWeather) {
    StudyFixture f;
    f.env.makePersonalList({});
    f.env.makeBank(threeQuestions());
    SettingsRecord r;
    r.guageword = 10;
    DataControl data;
    EXPECT_TRUE(selectSource(r, f.env.programDir(), data, nullptr));
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].text, "Error:New Words book is empty.");
    EXPECT_EQ(f.messages[0].title, "Study");
    EXPECT_EQ(data.DatabaseName, f.env.file("reg.ocx"));
    EXPECT_EQ(data.Connect, ";pwd=57302419");
    EXPECT_EQ(data.RecordSource, "select * from word where category= 'Weather'");
    EXPECT_TRUE(data.Refresh());
    EXPECT_EQ(data.Recordset()->RecordCount(), 0);
}

TEST(SourceSelectionFallback, MissingPersonalListIsReportedAndLeavesNothingToShow) {
    StudyFixture f;
    SettingsRecord r;
    r.guageword = 10;
    DataControl data;
    EXPECT_FALSE(selectSource(r, f.env.programDir(), data, nullptr));
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("word.ocx"));
    EXPECT_TRUE(data.DatabaseName.isEmpty());
    EXPECT_FALSE(QFile::exists(f.env.file("word.ocx")));
}

TEST(SourceSelectionFallback, PersonalListIsReleasedAfterTheCount) {
    StudyFixture f;
    f.env.makePersonalList({{"", "私有", "1"}});
    SettingsRecord r;
    r.guageword = 10;
    DataControl data;
    selectSource(r, f.env.programDir(), data, nullptr);
    ASSERT_TRUE(data.Refresh());
    // The display keeps its records in memory: an editor can take the file.
    EXPECT_NO_THROW(Database::open(f.env.file("word.ocx"), {.exclusive = true}));
    EXPECT_EQ(data.Recordset()->text("English"), "私有");
}
