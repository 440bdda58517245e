// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/folderpath.h"

TEST(FolderPath, PutsOneSlashBetweenFolderAndName) {
    EXPECT_EQ(FolderPath::join("/opt/quill", "reg.ocx"), "/opt/quill/reg.ocx");
    EXPECT_EQ(FolderPath::join("/opt/quill/", "reg.ocx"), "/opt/quill/reg.ocx");
    EXPECT_EQ(FolderPath::join("/", "reg.ocx"), "/reg.ocx");
    // A relative folder stays relative; an empty one is not made "." here.
    EXPECT_EQ(FolderPath::join("data", "word.ocx"), "data/word.ocx");
    EXPECT_EQ(FolderPath::join("", "word.ocx"), "/word.ocx");
}
