// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>

#include "tests/editor/editorfixture.h"

// A file written by another tool, whose index field is not SQLite's row id,
// is refused for writing with a message; no row is ever changed or deleted.

namespace {

// In every layout the index of 信号a names the row id of 信号b.
const char* const kLayouts[] = {
    R"(CREATE TABLE Word ("index" INTEGER, English TEXT UNIQUE, Chinese TEXT, category TEXT))",
    R"(CREATE TABLE Word ("index" TEXT PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT, category TEXT))",
    R"(CREATE TABLE Word ("index" INTEGER PRIMARY KEY, English TEXT UNIQUE, Chinese TEXT, category TEXT)
       WITHOUT ROWID)",
};

QStringList rowsOf(const char* create) {
    return {create, "INSERT INTO Word VALUES (2, '信号a', '1', '交通信号')",
            "INSERT INTO Word VALUES (1, '信号b', '2', '交通信号')"};
}

}  // namespace

TEST(EditorOddFile, ManagerRefusesABankWhoseIndexIsNotTheRowId) {
    for (const char* layout : kLayouts) {
        EditorFixture f;
        f.env.makeFileWith("reg.ocx", rowsOf(layout), Queries::kBankPassword);
        const QByteArray before = readFile(f.env.file("reg.ocx"));
        ASSERT_TRUE(f.open(EditorVariant::manager()));
        auto* combo = f.w<QComboBox>("Combo1");
        combo->setCurrentIndex(combo->findText("交通信号"));
        emit combo->activated(combo->currentIndex());
        ASSERT_EQ(f.messages.size(), 1u) << layout;
        EXPECT_TRUE(f.messages[0].text.contains("reg.ocx")) << f.messages[0].text.toStdString();
        EXPECT_TRUE(f.messages[0].text.contains("index")) << f.messages[0].text.toStdString();
        EXPECT_EQ(f.rowCount(), 0);
        EXPECT_FALSE(f.enabled("cmdSave"));
        f.type(f.text1(), "信号b");
        f.type(f.text2(), "changed");
        f.click("cmdSave");
        f.click("cmdDelete");
        f.form.reset();
        EXPECT_EQ(readFile(f.env.file("reg.ocx")), before) << layout;
    }
}

TEST(EditorOddFile, StudyRefusesAPersonalListWhoseIndexIsNotTheRowId) {
    for (const char* layout : kLayouts) {
        EditorFixture f;
        f.env.makeFileWith("word.ocx", rowsOf(layout));
        const QByteArray before = readFile(f.env.file("word.ocx"));
        EXPECT_FALSE(f.open(EditorVariant::study())) << layout;
        ASSERT_EQ(f.messages.size(), 1u) << layout;
        EXPECT_TRUE(f.messages[0].text.contains("word.ocx")) << f.messages[0].text.toStdString();
        EXPECT_TRUE(f.messages[0].text.contains("不能修改")) << f.messages[0].text.toStdString();
        f.form.reset();
        EXPECT_EQ(readFile(f.env.file("word.ocx")), before) << layout;
    }
}
