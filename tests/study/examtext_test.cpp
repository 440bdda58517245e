// SPDX-License-Identifier: GPL-3.0-or-later
// How the display writes out exam-form questions, and that a plain question
// stays exactly as it is.
#include <gtest/gtest.h>

#include "questionbank/examfields.h"
#include "study/examtext.h"

namespace {
const QString nb(QChar(0x00A0));

ExamFields single(std::array<QString, 4> options, QString explanation = {}) {
    ExamFields f;
    f.kind = ExamKind::kSingle;
    f.options = std::move(options);
    f.explanation = std::move(explanation);
    return f;
}
}  // namespace

TEST(ExamText, OptionsStandEachOnALineOfTheirOwnWithTheLabelBoundToTheText) {
    const ExamFields f = single({"警告", "违法行为", "犯罪", "无责"});
    EXPECT_EQ(
        ExamText::question("闯红灯属于？", f),
        "闯红灯属于？\nA." + nb + "警告\nB." + nb + "违法行为\nC." + nb + "犯罪\nD." + nb + "无责");
    // Options left empty are not written; the letters stay those of the columns.
    EXPECT_EQ(ExamText::question("问", single({"甲", "", "丙", ""})),
              "问\nA." + nb + "甲\nC." + nb + "丙");
}

TEST(ExamText, ChoiceAnswersAreLettersWithTheirTexts) {
    const ExamFields f = single({"警告", "违法行为", "犯罪", "无责"});
    EXPECT_EQ(ExamText::answer("B", f, false), "B 违法行为");
    ExamFields multiple = f;
    multiple.kind = ExamKind::kMultiple;
    EXPECT_EQ(ExamText::answer("ACD", multiple, false), "A 警告；C 犯罪；D 无责");
    // A letter that names no option: the stored answer, as it is.
    EXPECT_EQ(ExamText::answer("E", f, false), "E");
    EXPECT_EQ(ExamText::answer("B", single({"甲", "", "", ""}), false), "B");
    EXPECT_EQ(ExamText::answer("", f, false), "");
}

TEST(ExamText, TrueOrFalseShowsItsAnswerAndNoOptions) {
    ExamFields judge;
    judge.kind = ExamKind::kJudge;
    judge.explanation = "依法应当停车让行。";
    EXPECT_EQ(ExamText::question("遇行人应停车让行。", judge), "遇行人应停车让行。");
    EXPECT_EQ(ExamText::answer("正确", judge, false), "正确");
    EXPECT_EQ(ExamText::answer("正确", judge, true), "正确\n解析：依法应当停车让行。");
    EXPECT_TRUE(ExamText::isExamForm(judge));
}

TEST(ExamText, TheExplanationFollowsOnlyWhenWantedAndPresent) {
    const ExamFields f = single({"甲", "乙", "丙", "丁"}, "见第四十四条。");
    EXPECT_EQ(ExamText::answer("C", f, true), "C 丙\n解析：见第四十四条。");
    EXPECT_EQ(ExamText::answer("C", f, false), "C 丙");
    EXPECT_EQ(ExamText::answer("C", single({"甲", "乙", "丙", "丁"}), true), "C 丙");
}

TEST(ExamText, APlainQuestionIsLeftAsItIs) {
    // Even with stray option text: without a kind nothing is written out.
    ExamFields stray;
    stray.options = {"甲", "乙", "", ""};
    stray.explanation = "说明";
    for (const ExamFields& f : {ExamFields{}, stray}) {
        EXPECT_FALSE(ExamText::isExamForm(f));
        EXPECT_EQ(ExamText::question("问题1", f), "问题1");
        EXPECT_EQ(ExamText::answer("B", f, true), "B");
    }
}
