// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/settingsstore.h"
#include "tests/support/testenv.h"

TEST(SettingsStore, AbsentValueReadsEmptyAndWritesAreKept) {
    TestEnv env;
    SettingsStore store;
    EXPECT_EQ(store.read("ctimeword"), QString());
    store.write("ctimeword", "7");
    EXPECT_EQ(SettingsStore().read("ctimeword"), "7");
    EXPECT_EQ(store.fileName(), env.settingsFile());
}

TEST(SettingsStore, KeyNamesMatchWithoutCaseAndKeepTheirSpelling) {
    TestEnv env;
    writeFile(env.settingsFile(), "[General]\nCTimeWord=9\n");
    SettingsStore store;
    EXPECT_EQ(store.read("ctimeword"), "9");
    EXPECT_EQ(store.read("CTIMEWORD"), "9");
    store.write("ctimeword", "5");
    const QByteArray text = readFile(env.settingsFile());
    EXPECT_TRUE(text.contains("CTimeWord=5")) << text.constData();
    EXPECT_FALSE(text.contains("ctimeword=")) << text.constData();
}

TEST(SettingsStore, GarbageFileReadsWithoutCrashing) {
    TestEnv env;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk.append(char((i * 131 + 7) % 256));
    writeFile(env.settingsFile(), junk);
    SettingsStore store;
    (void)store.read("xxx");
    store.write("xxx", "1");
    EXPECT_EQ(SettingsStore().read("xxx"), "1");
}

TEST(SettingsStore, TextValuesRoundTripUnchanged) {
    TestEnv env;
    SettingsStore store;
    for (const QString v : {QStringLiteral("Merlin"), QStringLiteral("-2147483634"), QStringLiteral("7672.5"),
                            QStringLiteral("a,b;c=d"), QStringLiteral("中文")}) {
        store.write("agent", v);
        EXPECT_EQ(SettingsStore().read("agent"), v);
    }
}
