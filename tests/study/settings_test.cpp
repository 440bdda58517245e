// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSettings>

#include "platform/olecolour.h"
#include "platform/settingsstore.h"
#include "study/settingsio.h"
#include "tests/support/testenv.h"

namespace {
SettingsIo::Design design1024() {
    return {1024 * 15.0, OleColour::kHighlightText, OleColour::kDesktop};
}
QStringList keysInFile(const QString& file) {
    QSettings s(file, QSettings::IniFormat);
    return s.allKeys();
}
}  // namespace

TEST(Seeding, CleanProfileGetsAll27FirstRunValues) {
    TestEnv env;
    SettingsStore store;
    EXPECT_TRUE(SettingsIo::seed(store, design1024()));
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 27);
    const std::pair<const char*, const char*> expected[] = {
        {"ctimeword", "7"}, {"FontSizeNumber", "12"}, {"agent", "Merlin"}, {"txtColor", "-2147483634"},
        {"formColor", "-2147483647"}, {"winleftword", "5680"}, {"left", "4680"}, {"guagen", "11000"},
        {"xxx", "1"}, {"voice", "1"}, {"Spdtimes", "90"}, {"markword", "0"}, {"ontopword", "1"}};
    for (const auto& [k, v] : expected) EXPECT_EQ(store.read(k), v) << k;
}

TEST(Seeding, HalfTwipsAreWrittenInShortestForm) {
    TestEnv env;
    SettingsStore store;
    SettingsIo::seed(store, {1365 * 15.0, OleColour::kHighlightText, OleColour::kDesktop});
    EXPECT_EQ(store.read("winleftword"), "8237.5");
    EXPECT_EQ(store.read("left"), "7237.5");
}

TEST(Seeding, SkippedWhileTheMarkerHoldsAValueAndRedoneWhenItIsGone) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nxxx=1\nctimeword=11\n");
    SettingsStore store;
    EXPECT_FALSE(SettingsIo::seed(store, design1024()));
    EXPECT_EQ(store.read("ctimeword"), "11");
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 2);
    writeFile(env.settingsFile(), "[General]\nctimeword=11\nFontSizeNumber=30\n");
    SettingsStore again;
    EXPECT_TRUE(SettingsIo::seed(again, design1024()));
    EXPECT_EQ(again.read("ctimeword"), "7");
    EXPECT_EQ(again.read("FontSizeNumber"), "12");
}

TEST(Reading, ReadsEveryFieldAfterSeeding) {
    TestEnv env;
    SettingsStore store;
    SettingsIo::seed(store, design1024());
    const SettingsRecord r = SettingsIo::read(store, design1024());
    EXPECT_EQ(r.ctimeword, 7);
    EXPECT_EQ(r.ssaveword, 1);
    EXPECT_EQ(r.guageword, 1);
    EXPECT_EQ(r.markword, 0);
    EXPECT_EQ(r.ontopword, 1);
    EXPECT_EQ(r.voice, 1);
    EXPECT_EQ(r.isnoSpeak, 0);
    EXPECT_EQ(r.Spdtimes, 90);
    EXPECT_EQ(r.FontSizeNumber, 12);
    EXPECT_EQ(r.winleftword, 5680);
    EXPECT_EQ(r.xxx, "1");
    EXPECT_EQ(r.agent, "Merlin");
    EXPECT_EQ(OleColour::fromNumber(r.txtColor), OleColour::kHighlightText);
    EXPECT_EQ(OleColour::fromNumber(r.formColor), OleColour::kDesktop);
}

struct BadValue {
    const char* key;
    const char* text;
    int expected;  // the field after Reading
};

class ReadingFallbacks : public ::testing::TestWithParam<BadValue> {};

TEST_P(ReadingFallbacks, BadValueGetsItsFirstRunValue) {
    TestEnv env;
    SettingsStore store;
    SettingsIo::seed(store, design1024());
    store.write(GetParam().key, QString::fromUtf8(GetParam().text));
    const SettingsRecord r = SettingsIo::read(store, design1024());
    const QString key = QString::fromLatin1(GetParam().key).toLower();
    const int value = key == "ctimeword"        ? r.ctimeword
                      : key == "fontsizenumber" ? r.FontSizeNumber
                      : key == "guageword"      ? r.guageword
                      : key == "markword"       ? r.markword
                      : key == "ontopword"      ? r.ontopword
                      : key == "voice"          ? r.voice
                      : key == "winleftword"    ? r.winleftword
                      : key == "txtcolor"       ? int(OleColour::toSigned(OleColour::fromNumber(r.txtColor)))
                      : key == "formcolor"      ? int(OleColour::toSigned(OleColour::fromNumber(r.formColor)))
                                                : -999;
    EXPECT_EQ(value, GetParam().expected) << GetParam().key << "=" << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadingFallbacks,
    ::testing::Values(BadValue{"ctimeword", "", 7}, BadValue{"ctimeword", "abc", 7},
                      BadValue{"ctimeword", "0", 7}, BadValue{"ctimeword", "33", 7}, BadValue{"ctimeword", "1", 1},
                      BadValue{"ctimeword", "7.5", 7}, BadValue{"ctimeword", "-7", 7},
                      BadValue{"ctimeword", "99999999999", 7}, BadValue{"ctimeword", " 9 ", 9},
                      BadValue{"FontSizeNumber", "7", 12}, BadValue{"FontSizeNumber", "56", 12},
                      BadValue{"FontSizeNumber", "55", 55}, BadValue{"guageword", "-1", 1},
                      BadValue{"guageword", "11", 11}, BadValue{"guageword", "10", 10},
                      BadValue{"markword", "2", 0}, BadValue{"ontopword", "x", 1},
                      BadValue{"voice", "0", 0}, BadValue{"voice", "70000", 1},
                      BadValue{"winleftword", "40000", 40000}, BadValue{"winleftword", "junk", 5680},
                      BadValue{"txtColor", "16777215", 16777215}, BadValue{"txtColor", "1e40", -2147483634},
                      BadValue{"CTIMEWORD", "12", 12},
                      // With the system flag only an index up to 30 names a colour.
                      BadValue{"txtColor", "-1", -2147483634}, BadValue{"formColor", "-5", -2147483647},
                      BadValue{"formColor", "-2147483617", -2147483647},
                      BadValue{"txtColor", "-2147483618", -2147483618},
                      BadValue{"txtColor", "-2147483648", -2147483648},
                      BadValue{"formColor", "7.5", -2147483647}, BadValue{"txtColor", "255.0", 255}));

TEST(Reading, AbsentKeysAfterSeedingFallBack) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nxxx=1\n");
    SettingsStore store;
    EXPECT_FALSE(SettingsIo::seed(store, design1024()));
    const SettingsRecord r = SettingsIo::read(store, design1024());
    EXPECT_EQ(r.ctimeword, 7);
    EXPECT_EQ(r.FontSizeNumber, 12);
    EXPECT_EQ(OleColour::fromNumber(r.formColor), OleColour::kDesktop);
    EXPECT_EQ(r.Spdtimes, 90);
}

TEST(Saving, WritesTheElevenKeysFromRecordAndSwatches) {
    TestEnv env;
    SettingsStore store;
    SettingsRecord r;
    r.ctimeword = 9;
    r.guageword = 10;
    r.Spdtimes = 77;  // written back as read
    r.xxx = "";
    SettingsIo::save(store, r, 16777215, 11230520);
    QSettings file(env.settingsFile(), QSettings::IniFormat);
    QStringList keys = file.allKeys();
    keys.sort();
    EXPECT_EQ(keys, QStringList({"FontSizeNumber", "Spdtimes", "ctimeword", "formColor", "guageword",
                                 "isnoSpeak", "markword", "ontopword", "ssaveword", "txtColor", "xxx"}));
    EXPECT_EQ(store.read("txtColor"), "16777215");
    EXPECT_EQ(store.read("formColor"), "11230520");
    EXPECT_EQ(store.read("xxx"), "1");
    EXPECT_EQ(store.read("Spdtimes"), "77");
    EXPECT_EQ(store.read("guageword"), "10");
}
