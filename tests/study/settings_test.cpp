// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QSettings>
#include <QSignalSpy>

#include "platform/olecolour.h"
#include "platform/settingsstore.h"
#include "study/settingsrecord.h"
#include "study/studysettings.h"
#include "tests/support/testenv.h"

namespace {
SettingsTable::Design design1024() {
    return {1024 * 15.0, OleColour::kHighlightText, OleColour::kDesktop};
}
QStringList keysInFile(const QString& file) {
    QSettings s(file, QSettings::IniFormat);
    return s.allKeys();
}

// The keys the store reads or writes while it lives, in order, from its log.
class StoreLog {
public:
    explicit StoreLog(const char* what) : what_(QLatin1String(what)) {
        QLoggingCategory::setFilterRules(QStringLiteral("study.settings.info=true"));
        current_ = this;
        previous_ =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
                const QStringList words = m.split(QLatin1Char(' '));
                if (words.size() > 1 && words[0] == current_->what_) current_->keys << words[1];
            });
    }
    ~StoreLog() {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
        current_ = nullptr;
    }
    QStringList keys;

private:
    QString what_;
    QtMessageHandler previous_ = nullptr;
    static inline StoreLog* current_ = nullptr;
};
}  // namespace

TEST(Seeding, CleanProfileGetsAll27FirstRunValues) {
    TestEnv env;
    SettingsStore store;
    EXPECT_TRUE(SettingsTable::seed(store, design1024()));
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 27);
    const std::pair<const char*, const char*> expected[] = {{"ctimeword", "7"},
                                                            {"FontSizeNumber", "12"},
                                                            {"agent", "Merlin"},
                                                            {"txtColor", "-2147483634"},
                                                            {"formColor", "-2147483647"},
                                                            {"winleftword", "5680"},
                                                            {"left", "4680"},
                                                            {"guagen", "11000"},
                                                            {"xxx", "1"},
                                                            {"voice", "1"},
                                                            {"Spdtimes", "90"},
                                                            {"markword", "0"},
                                                            {"ontopword", "1"}};
    for (const auto& [k, v] : expected) EXPECT_EQ(store.read(k), v) << k;
}

TEST(Seeding, HalfTwipsAreWrittenInShortestForm) {
    TestEnv env;
    SettingsStore store;
    SettingsTable::seed(store, {1365 * 15.0, OleColour::kHighlightText, OleColour::kDesktop});
    EXPECT_EQ(store.read("winleftword"), "8237.5");
    EXPECT_EQ(store.read("left"), "7237.5");
}

TEST(Seeding, SkippedWhileTheMarkerHoldsAValueAndRedoneWhenItIsGone) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nxxx=1\nctimeword=11\n");
    SettingsStore store;
    EXPECT_FALSE(SettingsTable::seed(store, design1024()));
    EXPECT_EQ(store.read("ctimeword"), "11");
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 2);
    writeFile(env.settingsFile(), "[General]\nctimeword=11\nFontSizeNumber=30\n");
    SettingsStore again;
    EXPECT_TRUE(SettingsTable::seed(again, design1024()));
    EXPECT_EQ(again.read("ctimeword"), "7");
    EXPECT_EQ(again.read("FontSizeNumber"), "12");
}

TEST(Reading, ReadsEveryFieldAfterSeeding) {
    TestEnv env;
    SettingsStore store;
    SettingsTable::seed(store, design1024());
    const SettingsRecord r = SettingsTable::read(store, design1024());
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
    SettingsTable::seed(store, design1024());
    store.write(GetParam().key, QString::fromUtf8(GetParam().text));
    const SettingsRecord r = SettingsTable::read(store, design1024());
    const QString key = QString::fromLatin1(GetParam().key).toLower();
    const int value =
        key == "ctimeword"        ? r.ctimeword
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
    ::testing::Values(
        BadValue{"ctimeword", "", 7}, BadValue{"ctimeword", "abc", 7},
        BadValue{"ctimeword", "0", 7}, BadValue{"ctimeword", "33", 7},
        BadValue{"ctimeword", "1", 1}, BadValue{"ctimeword", "7.5", 7},
        BadValue{"ctimeword", "-7", 7}, BadValue{"ctimeword", "99999999999", 7},
        BadValue{"ctimeword", " 9 ", 9}, BadValue{"FontSizeNumber", "7", 12},
        BadValue{"FontSizeNumber", "56", 12}, BadValue{"FontSizeNumber", "55", 55},
        BadValue{"guageword", "-1", 1}, BadValue{"guageword", "11", 11},
        BadValue{"guageword", "10", 10}, BadValue{"markword", "2", 0},
        BadValue{"ontopword", "x", 1}, BadValue{"voice", "0", 0}, BadValue{"voice", "70000", 1},
        BadValue{"winleftword", "40000", 40000}, BadValue{"winleftword", "junk", 5680},
        BadValue{"txtColor", "16777215", 16777215}, BadValue{"txtColor", "1e40", -2147483634},
        BadValue{"CTIMEWORD", "12", 12},
        // With the system flag only an index up to 30 names a colour.
        BadValue{"txtColor", "-1", -2147483634}, BadValue{"formColor", "-5", -2147483647},
        BadValue{"formColor", "-2147483617", -2147483647},
        BadValue{"txtColor", "-2147483618", -2147483618},
        BadValue{"txtColor", "-2147483648", -2147483648}, BadValue{"formColor", "7.5", -2147483647},
        BadValue{"txtColor", "255.0", 255}));

TEST(Reading, AbsentKeysAfterSeedingFallBack) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nxxx=1\n");
    SettingsStore store;
    EXPECT_FALSE(SettingsTable::seed(store, design1024()));
    const SettingsRecord r = SettingsTable::read(store, design1024());
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
    r.txtColor = 16777215;
    r.formColor = 11230520;
    SettingsTable::save(store, r);
    QSettings file(env.settingsFile(), QSettings::IniFormat);
    QStringList keys = file.allKeys();
    keys.sort();
    EXPECT_EQ(keys,
              QStringList({"FontSizeNumber", "Spdtimes", "ctimeword", "formColor", "guageword",
                           "isnoSpeak", "markword", "ontopword", "ssaveword", "txtColor", "xxx"}));
    EXPECT_EQ(store.read("txtColor"), "16777215");
    EXPECT_EQ(store.read("formColor"), "11230520");
    EXPECT_EQ(store.read("xxx"), "1");
    EXPECT_EQ(store.read("Spdtimes"), "77");
    EXPECT_EQ(store.read("guageword"), "10");
}

// Each bulk operation keeps its own fixed order.
TEST(Orders, SeedingReadingAndSavingTouchTheKeysInTheirOrder) {
    TestEnv env;
    SettingsStore store;
    {
        StoreLog writes("write");
        SettingsTable::seed(store, design1024());
        EXPECT_EQ(writes.keys,
                  QStringList({"ctimeword", "ssaveword",   "guageword",     "markword",
                               "xxx",       "winleftword", "ontopword",     "ce",
                               "n",         "ctime",       "etime",         "rd",
                               "psave",     "ssave",       "visi",          "voice",
                               "guage",     "guagen",      "agent",         "red",
                               "mark",      "left",        "txtColor",      "formColor",
                               "isnoSpeak", "Spdtimes",    "FontSizeNumber"}));
    }
    {
        StoreLog reads("read");
        SettingsTable::read(store, design1024());
        EXPECT_EQ(reads.keys,
                  QStringList({"ctimeword", "ssaveword", "guageword", "markword", "xxx", "agent",
                               "voice", "winleftword", "ontopword", "txtColor", "formColor",
                               "isnoSpeak", "Spdtimes", "FontSizeNumber", "delayword",
                               "explainword", "studyorder", "newperday", "retention"}));
    }
    {
        StoreLog writes("write");
        SettingsTable::save(store, SettingsRecord{});
        EXPECT_EQ(writes.keys, QStringList({"ctimeword", "ontopword", "ssaveword", "guageword",
                                            "markword", "xxx", "isnoSpeak", "txtColor", "formColor",
                                            "FontSizeNumber", "Spdtimes"}));
    }
}

TEST(Saving, ColoursAreWrittenAsSignedDecimal) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nxxx=1\ntxtColor=2147483662\nformColor=255.0\n");
    SettingsStore store;
    const SettingsRecord r = SettingsTable::read(store, design1024());
    SettingsTable::save(store, r);
    EXPECT_EQ(store.read("txtColor"), "-2147483634") << "an unsigned form is saved signed";
    EXPECT_EQ(store.read("formColor"), "255");
}

// The options dialog edits the record through the settings object; the
// display follows what it announces.
TEST(StudySettingsObject, SettersChangeTheRecordAndAnnounceIt) {
    TestEnv env;
    SettingsStore store;
    StudySettings settings(store);
    settings.seed(design1024());
    settings.read(design1024());
    QSignalSpy changed(&settings, &StudySettings::changed);
    QSignalSpy size(&settings, &StudySettings::fontSizeChanged);
    QSignalSpy ink(&settings, &StudySettings::textColourChanged);
    QSignalSpy back(&settings, &StudySettings::formColourChanged);

    settings.setSaveOnClose(false);
    settings.setOnTop(false);
    settings.setSpeakAnswer(true);
    settings.setStartWithSystem(true);
    settings.setSeconds(9);
    settings.setChoice(10);
    EXPECT_EQ(changed.count(), 6);
    const SettingsRecord& r = settings.record();
    EXPECT_EQ(r.ssaveword, 0);
    EXPECT_EQ(r.ontopword, 0);
    EXPECT_EQ(r.isnoSpeak, 1);
    EXPECT_EQ(r.markword, 1);
    EXPECT_EQ(r.ctimeword, 9);
    EXPECT_EQ(r.guageword, 10);
    EXPECT_EQ(size.count() + ink.count() + back.count(), 0);

    settings.setFontSize(30);
    settings.setFontSize(30);
    ASSERT_EQ(size.count(), 2) << "each setting asks the display to fit again";
    EXPECT_EQ(size.at(1).at(0).toInt(), 30);
    EXPECT_EQ(r.FontSizeNumber, 30);

    settings.setTextColour(255, StudySettings::Preview::WithSample);
    settings.setTextColour(OleColour::kHighlightText);
    ASSERT_EQ(ink.count(), 2);
    EXPECT_TRUE(ink.at(0).at(1).toBool());
    EXPECT_FALSE(ink.at(1).at(1).toBool());
    EXPECT_EQ(OleColour::fromNumber(r.txtColor), OleColour::kHighlightText);
    settings.setFormColour(11230520);
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(OleColour::fromNumber(r.formColor), 11230520u);
    EXPECT_EQ(changed.count(), 11);
    EXPECT_EQ(store.read("ctimeword"), "7") << "nothing is written before saving";

    settings.save();
    EXPECT_EQ(store.read("ctimeword"), "9");
    EXPECT_EQ(store.read("txtColor"), "-2147483634");
    EXPECT_EQ(store.read("formColor"), "11230520");
    EXPECT_EQ(store.read("FontSizeNumber"), "30");
}

// A reload restores the stored values without touching the display's look.
TEST(StudySettingsObject, ReadingReplacesTheRecordSilently) {
    TestEnv env;
    SettingsStore store;
    StudySettings settings(store);
    settings.seed(design1024());
    settings.read(design1024());
    settings.setFontSize(40);
    settings.setSaveOnClose(false);
    QSignalSpy changed(&settings, &StudySettings::changed);
    QSignalSpy size(&settings, &StudySettings::fontSizeChanged);
    settings.read(design1024());
    EXPECT_EQ(settings.record().FontSizeNumber, 12);
    EXPECT_EQ(settings.record().ssaveword, 1);
    EXPECT_EQ(changed.count() + size.count(), 0);
}

// The order's three keys: absent after seeding (their defaults apply), read
// within their ranges, and only the order itself is ever written, by its switch.
TEST(StudySettingsObject, TheOrderKeysDefaultWhenAbsentAndOnlyTheSwitchWritesOne) {
    TestEnv env;
    SettingsStore store;
    StudySettings settings(store);
    settings.seed(design1024());
    settings.read(design1024());
    EXPECT_EQ(settings.record().studyorder, 0);
    EXPECT_EQ(settings.record().newperday, 20);
    EXPECT_EQ(settings.record().retention, 90);
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 27);

    settings.toggleMemoryOrder();
    EXPECT_EQ(settings.record().studyorder, 1);
    EXPECT_EQ(store.read("studyorder"), "1");
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 28) << "newperday and retention stay absent";
    settings.toggleMemoryOrder();
    EXPECT_EQ(store.read("studyorder"), "0");

    const std::pair<const char*, int> cases[][3] = {
        {{"1", 1}, {"0", 0}, {"85", 85}},
        {{"2", 0}, {"10000", 20}, {"69", 90}},
        {{"x", 0}, {"-1", 20}, {"100", 90}},
        {{"0", 0}, {"9999", 9999}, {"70", 70}},
    };
    for (const auto& c : cases) {
        store.write("studyorder", c[0].first);
        store.write("newperday", c[1].first);
        store.write("retention", c[2].first);
        settings.read(design1024());
        EXPECT_EQ(settings.record().studyorder, c[0].second) << c[0].first;
        EXPECT_EQ(settings.record().newperday, c[1].second) << c[1].first;
        EXPECT_EQ(settings.record().retention, c[2].second) << c[2].first;
    }
}

TEST(StudySettingsObject, AnswersAfterPauseIsWrittenAtOnceUnderItsOwnKey) {
    TestEnv env;
    SettingsStore store;
    StudySettings settings(store);
    settings.seed(design1024());
    settings.read(design1024());
    settings.toggleAnswersAfterPause();
    EXPECT_EQ(settings.record().delayword, 1);
    EXPECT_EQ(store.read("delayword"), "1");
    EXPECT_EQ(keysInFile(env.settingsFile()).size(), 28);
    settings.toggleAnswersAfterPause();
    EXPECT_EQ(store.read("delayword"), "0");
}
