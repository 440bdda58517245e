// SPDX-License-Identifier: GPL-3.0-or-later
// Manager's exam-form fields: shown below the answer box only for a bank
// with their columns (a bank without them shows the form as before), filled
// from the record shown, saved with it and with a new one.
#include <gtest/gtest.h>

#include <QComboBox>

#include "editor/questioneditorexam.h"
#include "tests/editor/editorfixture.h"

namespace {

const EditorVariant& manager() {
    return EditorVariant::manager();
}

ExamFields single() {
    ExamFields f;
    f.kind = ExamKind::kSingle;
    f.options = {"向左转", "向右转", "直行", "掉头"};
    f.explanation = "绿色箭头灯亮时\n可以按箭头方向通行。";
    return f;
}

struct ExamBank : EditorFixture {
    explicit ExamBank(bool withColumns) {
        if (withColumns)
            env.makeBank(
                {{"交通信号", "箭头灯", "B", {}, single()}, {"交通信号", "红灯", "停", {}, {}}});
        else
            env.makeBank({{"交通信号", "箭头灯", "B"}, {"交通信号", "红灯", "停"}});
        EXPECT_TRUE(open(manager()));
        auto* combo = w<QComboBox>("Combo1");
        combo->setCurrentIndex(combo->findText("交通信号"));
        emit combo->activated(combo->currentIndex());
    }
    ExamPanel* panel() const { return w<ExamPanel>("examFields"); }
    QComboBox* kind() const { return w<QComboBox>("examKind"); }
    QLineEdit* option(char letter) const {
        return w<QLineEdit>(("option" + std::string(1, letter)).c_str());
    }
    QString row(const QString& english) {
        return rows("reg.ocx",
                    "select Chinese || '|' || ifnull(kind, '') || '|' || ifnull(option_a, '') || "
                    "'|' || "
                    "ifnull(option_b, '') || '|' || ifnull(option_c, '') || '|' || "
                    "ifnull(option_d, '') || '|' || ifnull(explanation, '') from Word where "
                    "English='" +
                        english + "'")
            .value(0);
    }
};

}  // namespace

TEST(ExamFields, ABankWithoutTheColumnsShowsTheFormAsBefore) {
    ExamBank f(false);
    ASSERT_EQ(f.text1()->text(), "箭头灯");
    EXPECT_FALSE(f.panel()->isVisible());
    EXPECT_EQ(f.form->size(), manager().frame);
    EXPECT_EQ(f.form->minimumSize(), manager().frame);
    for (const char* name : {"List1", "cmdSave", "text2", "cmdGFirst"})
        EXPECT_EQ(f.w(name)->geometry(), manager().geometry.value(name)) << name;
    EXPECT_EQ(f.w("picture")->geometry(), manager().pictureBox);
}

TEST(ExamFields, ShownBelowTheAnswerFilledFromTheRecordAndSavedWithIt) {
    ExamBank f(true);
    ASSERT_EQ(f.text1()->text(), "箭头灯");
    ASSERT_TRUE(f.panel()->isVisible());
    const int room = ExamPanel::kHeight;
    EXPECT_EQ(f.form->height(), manager().frame.height() + room) << "the window makes room";
    EXPECT_EQ(f.w("text2")->geometry(), manager().geometry.value("text2"));
    EXPECT_GT(f.panel()->geometry().top(), f.w("text2")->geometry().bottom());
    EXPECT_LT(f.panel()->geometry().bottom(), f.w("picture")->geometry().top());
    EXPECT_EQ(f.w("picture")->geometry(), manager().pictureBox.translated(0, room));
    EXPECT_EQ(f.w("List1")->height(), manager().geometry.value("List1").height() + room);
    EXPECT_EQ(f.panel()->fields(), single());

    f.clickRow(1);  // 红灯: a plain question in the same bank
    ASSERT_EQ(f.text1()->text(), "红灯");
    EXPECT_TRUE(f.panel()->fields().isEmpty());
    f.clickRow(0);
    ASSERT_EQ(f.panel()->fields(), single());
    f.kind()->setCurrentIndex(f.kind()->findData(ExamKind::kMultiple));
    f.type(f.option('D'), "鸣喇叭后掉头");
    f.type(f.w<QLineEdit>("text2"), "AB");
    f.click("cmdSave");
    ASSERT_TRUE(f.messages.empty()) << f.messages.back().text.toStdString();
    EXPECT_EQ(f.row("箭头灯"),
              "AB|多选|向左转|向右转|直行|鸣喇叭后掉头|绿色箭头灯亮时\n可以按箭头方向通行。");
}

TEST(ExamFields, ANewQuestionIsAddedWithItsFields) {
    ExamBank f(true);
    f.click("CmdAdd");
    EXPECT_TRUE(f.panel()->fields().isEmpty()) << "a new question starts without fields";
    f.type(f.text1(), "黄灯持续闪烁时，车辆应当怎样通行？");
    f.type(f.w<QLineEdit>("text2"), "正确");
    f.kind()->setCurrentIndex(f.kind()->findData(ExamKind::kJudge));
    f.click("cmdSave");
    ASSERT_TRUE(f.messages.empty()) << f.messages.back().text.toStdString();
    EXPECT_TRUE(f.panel()->fields().isEmpty()) << "emptied for the next question";
    EXPECT_EQ(f.row("黄灯持续闪烁时，车辆应当怎样通行？"), "正确|判断|||||");
}
