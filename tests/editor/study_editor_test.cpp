// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QFile>

#include "tests/editor/editorfixture.h"

namespace {
const EditorVariant& study() {
    return EditorVariant::study();
}
}  // namespace

TEST(StudyEditorLayout, ControlsAtTheirPositions) {
    EditorFixture f;
    f.env.makePersonalList({});
    ASSERT_TRUE(f.open(study()));
    EXPECT_EQ(f.form->size(), QSize(345, 497));
    for (auto it = study().geometry.begin(); it != study().geometry.end(); ++it)
        EXPECT_EQ(f.w(it.key().toLatin1().constData())->geometry(), it.value())
            << it.key().toStdString();
    EXPECT_EQ(f.w<SkinButton>("cmdSave")->caption(), "保存问题");
    EXPECT_EQ(f.w<SkinButton>("CmdAdd")->caption(), "增加问题");
    EXPECT_EQ(f.w<SkinButton>("cmdDelete")->caption(), "删除问题");
    EXPECT_EQ(f.w<QLabel>("Label_6")->text(), "问题");
    EXPECT_EQ(f.w<QLabel>("Label_5")->text(), "答案");
    EXPECT_EQ(f.w("cmdGAdd")->toolTip(), "Add");
    EXPECT_EQ(f.w<TitleBarButtons>("xptopbuttons2")->value(), 1);
    EXPECT_TRUE(f.enabled("xptopbuttons2")) << "the window can be maximised";
    EXPECT_EQ(f.form->windowTitle(), "增加问题");
    EXPECT_EQ(f.form->findChild<QWidget*>("Combo1"), nullptr);
}

TEST(StudyEditor, EmptyListThenFirstSave) {
    EditorFixture f;
    f.env.makePersonalList({});
    ASSERT_TRUE(f.open(study()));
    EXPECT_TRUE(f.form->adding());
    EXPECT_EQ(f.rowCount(), 0);
    f.type(f.text1(), "红灯亮时？");
    f.type(f.text2(), "停车等候");
    f.click("cmdSave");
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(f.text1()->text(), "");
    EXPECT_EQ(f.text2()->text(), "");
    EXPECT_TRUE(f.form->adding());
    EXPECT_EQ(f.listEntries(), QStringList({"红灯亮时？"}));
    EXPECT_EQ(f.status(), "第 1 行，总数： 1");
    EXPECT_TRUE(f.text1()->hasFocus() || !f.form->isActiveWindow());
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"红灯亮时？|停车等候"}));
}

TEST(StudyEditor, OnlySpacesAnswerChangesNothing) {
    EditorFixture f;
    f.env.makePersonalList({{"", "a", "1"}});
    const QByteArray before = readFile(f.env.file("word.ocx"));
    ASSERT_TRUE(f.open(study()));
    f.click("CmdAdd");
    f.type(f.text1(), "新问题");
    f.type(f.text2(), "   ");
    f.click("cmdSave");
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(f.text1()->text(), "新问题");
    EXPECT_EQ(f.rowCount(), 1);
    // A tab is no space: that answer is saved.
    f.type(f.text2(), "\t");
    f.click("cmdSave");
    EXPECT_EQ(f.rowCount(), 2);
    f.form.reset();
    EXPECT_NE(readFile(f.env.file("word.ocx")), before);
}

TEST(StudyEditor, LeadingAndTrailingSpacesAreKept) {
    EditorFixture f;
    f.env.makePersonalList({});
    ASSERT_TRUE(f.open(study()));
    f.type(f.text1(), "  前后有空格  ");
    f.type(f.text2(), " 答 ");
    f.click("cmdSave");
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"  前后有空格  | 答 "}));
}

TEST(StudyEditor, DuplicateKeepsTheTypedText) {
    EditorFixture f;
    f.env.makePersonalList({{"", "已有", "1"}});
    ASSERT_TRUE(f.open(study()));
    f.click("cmdGAdd");
    f.type(f.text1(), "已有");
    f.type(f.text2(), "另一个答案");
    f.click("cmdSave");
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].text, "Duplicate record !");
    EXPECT_EQ(f.messages[0].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(f.text1()->text(), "已有");
    EXPECT_EQ(f.text2()->text(), "另一个答案");
    EXPECT_TRUE(f.form->adding());
    f.type(f.text1(), "已有2");
    f.click("cmdSave");
    EXPECT_EQ(f.rowCount(), 2);
}

TEST(StudyEditor, ChangeInPlaceAndAppendAtTheEnd) {
    EditorFixture f;
    f.env.makePersonalList({{"", "b", "2"}, {"", "a", "1"}, {"", "c", "3"}});
    ASSERT_TRUE(f.open(study()));
    EXPECT_EQ(f.listEntries(), QStringList({"a", "b", "c"}));
    f.clickRow(1);
    EXPECT_EQ(f.text1()->text(), "b");
    EXPECT_EQ(f.status(), "第 2 行，总数： 3");
    f.type(f.text2(), "two");
    f.click("cmdSave");
    EXPECT_EQ(f.listEntries(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(f.currentRow(), 0);
    EXPECT_TRUE(f.form->adding());
    f.type(f.text1(), "0 sorts first");
    f.type(f.text2(), "x");
    f.click("cmdSave");
    EXPECT_EQ(f.listEntries(), QStringList({"a", "b", "c", "0 sorts first"}));
    EXPECT_EQ(f.status(), "第 1 行，总数： 4");
    f.clickRow(3);
    EXPECT_EQ(f.text1()->text(), "0 sorts first");
    f.clickRow(1);
    EXPECT_EQ(f.text2()->text(), "two");
}

TEST(StudyEditor, DeletingTheFirstReanchorsTheList) {
    EditorFixture f;
    f.env.makePersonalList({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}});
    ASSERT_TRUE(f.open(study()));
    f.click("cmdDelete");
    EXPECT_TRUE(f.messages.empty()) << "no confirmation";
    EXPECT_EQ(f.listEntries(), QStringList({"b", "c"}));
    EXPECT_EQ(f.text1()->text(), "b");
    EXPECT_EQ(f.status(), "第 1 行，总数： 2");
    f.clickRow(1);
    f.clickRow(0);
    EXPECT_EQ(f.text1()->text(), "b");
    f.clickRow(1);
    EXPECT_EQ(f.text1()->text(), "c");
    f.click("cmdDelete");
    EXPECT_EQ(f.listEntries(), QStringList({"b"}));
    EXPECT_EQ(f.text1()->text(), "b");
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"b|2"}));
}

TEST(StudyEditor, DeletingTheOnlyRecordLeavesTheFormAdding) {
    EditorFixture f;
    f.env.makePersonalList({{"", "only", "1"}});
    ASSERT_TRUE(f.open(study()));
    f.click("cmdDelete");
    EXPECT_TRUE(f.form->adding());
    EXPECT_EQ(f.rowCount(), 0);
    EXPECT_EQ(f.text1()->text(), "");
    EXPECT_EQ(f.text2()->text(), "");
    for (const char* b :
         {"cmdGFirst", "cmdPrev", "cmdNext", "cmdGLast", "cmdGAdd", "CmdAdd", "cmdDelete"})
        EXPECT_FALSE(f.enabled(b)) << b;
    f.form->onDelete();
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].text, "没有题目 !");
    EXPECT_TRUE(f.rows("word.ocx").isEmpty());
}

TEST(StudyEditor, NextOnTheLastThenPrevious) {
    EditorFixture f;
    f.env.makePersonalList({{"", "a", "1"}, {"", "b", "2"}});
    ASSERT_TRUE(f.open(study()));
    f.click("cmdGLast");
    EXPECT_EQ(f.text1()->text(), "b");
    f.click("cmdNext");
    EXPECT_EQ(f.text1()->text(), "b");
    EXPECT_EQ(f.status(), "第 2 行，总数： 2");
    EXPECT_EQ(f.currentRow(), 1);
    f.click("cmdPrev");
    EXPECT_EQ(f.text1()->text(), "b");
    EXPECT_EQ(f.text2()->text(), "2");
    f.click("cmdGFirst");
    f.click("cmdPrev");
    EXPECT_EQ(f.text1()->text(), "a");
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"a|1", "b|2"}));
}

TEST(StudyEditor, UnopenableListIsReportedAndLeftAlone) {
    for (const char* kind : {"missing", "damaged", "in use"}) {
        EditorFixture f;
        std::shared_ptr<Database> holder;
        QByteArray before;
        if (QByteArray(kind) == "damaged")
            writeFile(f.env.file("word.ocx"), "SQLite format 3\0garbage garbage");
        if (QByteArray(kind) == "in use") {
            f.env.makePersonalList({{"", "a", "1"}});
            holder = Database::open(f.env.file("word.ocx"), {.exclusive = true});
        }
        before = readFile(f.env.file("word.ocx"));
        EXPECT_FALSE(f.open(study())) << kind;
        ASSERT_EQ(f.messages.size(), 1u) << kind;
        EXPECT_TRUE(f.messages[0].text.contains("word.ocx")) << kind;
        holder.reset();
        EXPECT_EQ(readFile(f.env.file("word.ocx")), before) << kind;
        EXPECT_EQ(QFile::exists(f.env.file("word.ocx")), QByteArray(kind) != "missing");
    }
}

TEST(StudyEditor, TitleButtonsCloseAndMinimise) {
    EditorFixture f;
    f.env.makePersonalList({});
    ASSERT_TRUE(f.open(study()));
    f.click("xptopbuttons1");
    EXPECT_EQ(f.closed, 1);
    EXPECT_FALSE(f.form->isVisible());
}
