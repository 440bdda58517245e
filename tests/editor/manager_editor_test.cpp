// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QComboBox>
#include <QFile>

#include "manager/bankbackup.h"
#include "questionbank/categories.h"
#include "tests/editor/editorfixture.h"

namespace {
const EditorVariant& manager() { return EditorVariant::manager(); }

struct ManagerFixture : EditorFixture {
    ManagerFixture() {
        env.makeBank({{"交通信号", "信号b", "2"}, {"交通信号", "信号a", "1"}, {"文明驾驶", "文明", "x"},
                      {"临危处置", "两条之一", "1"}, {"临危处置", "两条之二", "2"}});
    }
    QComboBox* combo() const { return w<QComboBox>("Combo1"); }
    void choose(const QString& category) {
        combo()->setCurrentIndex(combo()->findText(category));
        emit combo()->activated(combo()->currentIndex());
    }
};
}  // namespace

TEST(ManagerEditor, StartUpState) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    EXPECT_EQ(f.form->size(), QSize(481, 449));
    for (auto it = manager().geometry.begin(); it != manager().geometry.end(); ++it)
        if (it.key() != "Combo1")
            EXPECT_EQ(f.w(it.key().toLatin1().constData())->geometry(), it.value()) << it.key().toStdString();
    QStringList items;
    for (int i = 0; i < f.combo()->count(); ++i) items << f.combo()->itemText(i);
    EXPECT_EQ(items, Categories::names());
    EXPECT_EQ(f.combo()->currentIndex(), -1);
    for (const char* b : {"cmdSave", "cmdDelete", "CmdAdd", "cmdGAdd", "cmdGFirst", "cmdPrev", "cmdNext", "cmdGLast"})
        EXPECT_FALSE(f.enabled(b)) << b;
    for (const char* b : {"Combo1", "List1", "text1", "text2", "Command1", "xptopbuttons1"})
        EXPECT_TRUE(f.enabled(b)) << b;
    EXPECT_EQ(f.w<SkinButton>("Command1")->caption(), "退出");
    EXPECT_EQ(f.w<QLabel>("Label_6")->text(), "题目");
    EXPECT_EQ(f.w<QLabel>("Label2")->text(), "管理分类");
    // No database is opened until a category is chosen.
    EXPECT_NO_THROW(Database::open(f.env.file("reg.ocx"), {.exclusive = true}, Queries::kBankConnect));
}

TEST(ManagerEditor, CategoryLoadsItsRecordsInOrder) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("交通信号");
    EXPECT_EQ(f.listEntries(), QStringList({"信号a", "信号b"}));
    EXPECT_EQ(f.currentRow(), 0);
    EXPECT_EQ(f.text1()->text(), "信号a");
    EXPECT_EQ(f.status(), "第 1 行，总数： 2");
    EXPECT_TRUE(f.enabled("cmdSave"));
    EXPECT_TRUE(f.enabled("cmdDelete"));
    EXPECT_THROW(Database::open(f.env.file("reg.ocx"), {.readOnly = true}, Queries::kBankConnect), DbError)
        << "the bank is held exclusively";
    f.clickRow(1);
    f.choose("交通信号");  // the same category again reads afresh
    EXPECT_EQ(f.text1()->text(), "信号a");
}

TEST(ManagerEditor, EmptyCategoryRightAfterStartUpLeavesSavingImpossible) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("事故自救");
    EXPECT_EQ(f.rowCount(), 0);
    EXPECT_TRUE(f.form->adding());
    EXPECT_FALSE(f.enabled("cmdSave"));
    EXPECT_FALSE(f.enabled("CmdAdd"));
}

TEST(ManagerEditor, AddedQuestionGetsTheSelectedCategory) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("交通信号");
    f.choose("事故自救");
    f.type(f.text1(), "车辆落水后怎么办？");
    f.type(f.text2(), "尽快开窗逃生");
    f.click("cmdSave");
    EXPECT_EQ(f.listEntries(), QStringList({"车辆落水后怎么办？"}));
    EXPECT_EQ(f.rows("reg.ocx", "select category from Word where English='车辆落水后怎么办？'"),
              QStringList({"事故自救"}));
}

TEST(ManagerEditor, SwitchingCategoryWhileAddingDropsTheNewQuestion) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("交通信号");
    f.click("CmdAdd");
    f.type(f.text1(), "未保存");
    f.type(f.text2(), "答");
    f.choose("文明驾驶");
    EXPECT_EQ(f.text1()->text(), "文明");
    EXPECT_FALSE(f.form->adding());
    EXPECT_TRUE(f.messages.empty());
    EXPECT_TRUE(f.rows("reg.ocx", "select English from Word where English='未保存'").isEmpty());
}

TEST(ManagerEditor, DeletingOneOfTwoLeavesTheOtherShown) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("临危处置");
    f.click("cmdDelete");
    EXPECT_EQ(f.listEntries(), QStringList({"两条之二"}));
    EXPECT_EQ(f.text1()->text(), "两条之二");
    EXPECT_EQ(f.currentRow(), 0);
    EXPECT_FALSE(f.form->adding());
    EXPECT_TRUE(f.enabled("cmdSave"));
    EXPECT_TRUE(f.enabled("cmdGFirst"));
    EXPECT_FALSE(f.enabled("cmdDelete"));
    f.click("cmdDelete");  // disabled: nothing happens
    EXPECT_EQ(f.rowCount(), 1);
}

TEST(ManagerEditor, WrongPasswordOrMissingBankLooksEmptyAfterAMessage) {
    ManagerFixture f;
    QFile::remove(f.env.file("reg.ocx"));
    ASSERT_TRUE(f.open(manager()));
    f.choose("交通信号");
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("reg.ocx"));
    EXPECT_EQ(f.rowCount(), 0);
    EXPECT_FALSE(f.enabled("cmdSave"));
    EXPECT_FALSE(QFile::exists(f.env.file("reg.ocx")));
}

TEST(ManagerEditor, ExitEndsTheProgram) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.choose("交通信号");
    f.type(f.text1(), "typed, not saved");
    f.click("Command1");
    EXPECT_EQ(f.closed, 1);
    f.click("xptopbuttons1");
    EXPECT_EQ(f.closed, 2);
}

TEST(ManagerBackup, TakenBeforeTheFirstWriteOnly) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.form->session().setBeforeFirstWrite(&BankBackup::make);
    const QString bak = BankBackup::pathFor(f.env.file("reg.ocx"));
    f.choose("临危处置");
    EXPECT_FALSE(QFile::exists(bak));
    f.click("cmdDelete");
    ASSERT_TRUE(QFile::exists(bak));
    const QByteArray first = readFile(bak);
    f.click("CmdAdd");
    f.type(f.text1(), "新");
    f.type(f.text2(), "答");
    f.click("cmdSave");
    EXPECT_EQ(readFile(bak), first) << "one backup per session";
    auto copy = Database::open(bak, {.readOnly = true}, Queries::kBankConnect);
    EXPECT_EQ(RecordSet::open(copy, Queries::managerEditor("临危处置"))->RecordCount(), 2);
}

TEST(ManagerBackup, FailedBackupCancelsTheWriteAndKeepsTheText) {
    ManagerFixture f;
    ASSERT_TRUE(f.open(manager()));
    f.form->session().setBeforeFirstWrite([](Database&, QString* e) {
        *e = "no room";
        return false;
    });
    f.choose("交通信号");
    f.click("CmdAdd");
    f.type(f.text1(), "保留");
    f.type(f.text2(), "答");
    f.click("cmdSave");
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("no room"));
    EXPECT_EQ(f.text1()->text(), "保留");
    EXPECT_TRUE(f.rows("reg.ocx", "select English from Word where English='保留'").isEmpty());
}
