// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "platform/autostart.h"
#include "tests/support/testenv.h"

TEST(AutoStart, ProgramPathHasOneSlashBeforeTheName) {
    EXPECT_EQ(AutoStart::programPath("/opt/quill", "Study"), "/opt/quill/Study");
    EXPECT_EQ(AutoStart::programPath("/opt/quill/", "Study"), "/opt/quill/Study");
    EXPECT_EQ(AutoStart::programPath("/", "Study"), "/Study");
}

struct ExecCase {
    const char* path;
    const char* exec;
};

class ExecQuoting : public ::testing::TestWithParam<ExecCase> {};

TEST_P(ExecQuoting, FollowsTheDesktopEntryRules) {
    EXPECT_EQ(AutoStart::execValue(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().exec));
}

INSTANTIATE_TEST_SUITE_P(Paths, ExecQuoting,
                         ::testing::Values(ExecCase{"/opt/quill/Study", "/opt/quill/Study"},
                                           ExecCase{"/home/a b/Study", "\"/home/a b/Study\""},
                                           ExecCase{"/home/$x/Study", "\"/home/\\\\$x/Study\""},
                                           ExecCase{"/home/100%/Study", "/home/100%%/Study"},
                                           ExecCase{"/home/学车/Study", "/home/学车/Study"}));

TEST(AutoStart, EnableWritesEntryAndDisableRemovesIt) {
    TestEnv env;
    const QString file = env.configDir() + "/autostart/Velmorant.desktop";
    EXPECT_EQ(AutoStart::entryFile(), file);
    AutoStart::enable("/home/a b/Study");
    const QByteArray text = readFile(file);
    EXPECT_TRUE(text.contains("Exec=\"/home/a b/Study\"\n")) << text.constData();
    EXPECT_TRUE(text.contains("Type=Application"));
    AutoStart::disable();
    EXPECT_FALSE(QFile::exists(file));
    AutoStart::disable();  // a missing entry is no failure
    EXPECT_FALSE(QFile::exists(file));
}

TEST(AutoStart, UnwritableFolderIsIgnored) {
    TestEnv env;
    writeFile(env.configDir() + "/autostart", "a file where the folder should be");
    AutoStart::enable("/opt/quill/Study");  // must not throw or crash
    EXPECT_EQ(readFile(env.configDir() + "/autostart"), "a file where the folder should be");
}
