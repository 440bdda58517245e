// SPDX-License-Identifier: GPL-3.0-or-later
// Manager's window size between runs: absent keys mean the documented size,
// keys are written only once the size changed, a kept size is clamped to a
// smaller screen and never below the documented size.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "editor/windowsizememory.h"
#include "platform/settingsstore.h"
#include "tests/support/testenv.h"

namespace {

const QSize kDocumented(481, 449);
const QRect kScreen(0, 0, 1920, 1050);

// The keys in the file, as another program reading it sees them.
QStringList keysOf(const TestEnv& env) {
    QSettings ini(env.settingsFile(), QSettings::IniFormat);
    return ini.allKeys();
}

void writeKeys(const TestEnv& env, const QStringList& lines) {
    QDir().mkpath(QFileInfo(env.settingsFile()).path());
    writeFile(env.settingsFile(), ("[General]\n" + lines.join('\n') + '\n').toUtf8());
}

}  // namespace

TEST(WindowSizeMemory, AbsentKeysOpenAtTheDocumentedSizeAndStayAbsent) {
    TestEnv env;
    SettingsStore store;
    WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
    const WindowSizeMemory::Size opened = memory.restore(kScreen);
    EXPECT_EQ(opened.normal, kDocumented);
    EXPECT_FALSE(opened.maximised);
    memory.keep(opened);
    EXPECT_TRUE(keysOf(env).isEmpty()) << "nothing written while the size never changed";
}

TEST(WindowSizeMemory, OnlyWhatChangedIsWrittenAndReadBack) {
    TestEnv env;
    {
        SettingsStore store;
        WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
        memory.restore(kScreen);
        memory.keep({kDocumented, true});
        EXPECT_EQ(keysOf(env), QStringList({"ManagerMaximised"}));
    }
    {
        SettingsStore store;
        WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
        const WindowSizeMemory::Size opened = memory.restore(kScreen);
        EXPECT_EQ(opened, (WindowSizeMemory::Size{kDocumented, true}));
        memory.keep({{900, 700}, false});
    }
    QSettings ini(env.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("ManagerWidth").toString(), "900");
    EXPECT_EQ(ini.value("ManagerHeight").toString(), "700");
    EXPECT_EQ(ini.value("ManagerMaximised").toString(), "0");
    SettingsStore store;
    WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
    EXPECT_EQ(memory.restore(kScreen), (WindowSizeMemory::Size{{900, 700}, false}));
}

TEST(WindowSizeMemory, KeptSizeIsClampedToTheScreenAndToTheDocumentedSize) {
    const struct {
        const char* name;
        QStringList keys;
        QRect screen;
        QSize expected;
    } cases[] = {
        {"larger than the screen",
         {"ManagerWidth=3000", "ManagerHeight=2000"},
         kScreen,
         {1920, 1050}},
        {"one side too large", {"ManagerWidth=700", "ManagerHeight=2000"}, kScreen, {700, 1050}},
        {"below the documented size",
         {"ManagerWidth=100", "ManagerHeight=-5"},
         kScreen,
         kDocumented},
        {"not numbers", {"ManagerWidth=wide", "ManagerHeight=12.5"}, kScreen, kDocumented},
        {"screen smaller than documented",
         {"ManagerWidth=900"},
         QRect(0, 0, 400, 300),
         kDocumented},
        {"keys in another case", {"managerwidth=800", "MANAGERHEIGHT=600"}, kScreen, {800, 600}},
    };
    for (const auto& c : cases) {
        TestEnv env;
        writeKeys(env, c.keys);
        SettingsStore store;
        WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
        EXPECT_EQ(memory.restore(c.screen).normal, c.expected) << c.name;
    }
}

TEST(WindowSizeMemory, ASizeOnlyClampedIsKeptForTheLargerScreen) {
    TestEnv env;
    writeKeys(env, {"ManagerWidth=3000", "ManagerHeight=2000"});
    {
        SettingsStore store;
        WindowSizeMemory memory(store, kDocumented, WindowSizeMemory::kManager);
        memory.keep(memory.restore(kScreen));
    }
    QSettings ini(env.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("ManagerWidth").toString(), "3000");
    EXPECT_EQ(ini.value("ManagerHeight").toString(), "2000");
    EXPECT_FALSE(ini.contains("ManagerMaximised"));
}
