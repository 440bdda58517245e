// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "platform/autostart.h"
#include "study/module1.h"
#include "study/settingsrecord.h"
#include "tests/support/testenv.h"

namespace {
SettingsRecord withMark(int m) {
    SettingsRecord r;
    r.markword = qint16(m);
    return r;
}
}  // namespace

TEST(SetAutoRun, OneWritesZeroRemovesOtherValuesChangeNothing) {
    TestEnv env;
    qputenv("QUILLMERE_PROGRAM_DIR", "/opt/driving school");
    const QString entry = AutoStart::entryFile();
    SetAutoRun(withMark(1));
    const QByteArray text = readFile(entry);
    EXPECT_TRUE(text.contains("Exec=\"/opt/driving school/study_tests\"")) << text.constData();
    SetAutoRun(withMark(2));
    EXPECT_EQ(readFile(entry), text);
    SetAutoRun(withMark(0));
    EXPECT_FALSE(QFile::exists(entry));
    SetAutoRun(withMark(-1));
    EXPECT_FALSE(QFile::exists(entry));
}

TEST(SetAutoRun, ProgramAtTheRootGetsOneSlash) {
    TestEnv env;
    qputenv("QUILLMERE_PROGRAM_DIR", "/");
    SetAutoRun(withMark(1));
    EXPECT_TRUE(readFile(AutoStart::entryFile()).contains("Exec=/study_tests\n"));
}

TEST(MaxValue, SecondWhenEqualOrGreater) {
    EXPECT_EQ(MaxValue(2100.0, 1500.5), 2100.0);
    EXPECT_EQ(MaxValue(2100.0, 4000.0), 4000.0);
    EXPECT_EQ(MaxValue(3, 3), 3);
}
