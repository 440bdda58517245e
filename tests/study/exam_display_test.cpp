// SPDX-License-Identifier: GPL-3.0-or-later
// The display with an exam-form bank: options on lines of their own, the
// answer written out, the explanation on request, speech in reading order.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTextLayout>

#include "questionbank/examfields.h"
#include "tests/study/studyfixture.h"

namespace {
const QString nb(QChar(0x00A0));

std::vector<BankSchema::Question> examBank() {
    ExamFields single;
    single.kind = ExamKind::kSingle;
    single.options = {"警告", "违法行为", "犯罪行为", "没有责任"};
    single.explanation = "违反信号灯通行属于违法行为。";
    ExamFields judge;
    judge.kind = ExamKind::kJudge;
    judge.explanation = "应当停车让行。";
    return {{"交通安全法律", "驾驶机动车闯红灯属于什么行为？", "B", {}, single},
            {"交通安全法律", "遇行人正在通过人行横道应停车让行。", "正确", {}, judge}};
}

QAction* explainEntry(QuestionWindow& w) {
    return w.mnumain()->findChild<QAction*>(QStringLiteral("mnuexplain"));
}

// The lines Qt breaks `text` into at `width` in `font`.
QStringList linesAt(const QString& text, const QFont& font, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}
}  // namespace

TEST(ExamDisplay, OptionsStandUnderTheQuestionAndTheAnswerIsWrittenOut) {
    StudyFixture f;
    f.env.makeBank(examBank());
    f.settings({{"guageword", "1"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    EXPECT_EQ(w.LB()->text(), "驾驶机动车闯红灯属于什么行为？\nA." + nb + "警告\nB." + nb +
                                  "违法行为\nC." + nb + "犯罪行为\nD." + nb +
                                  "没有责任\n(后面为答案）  B 违法行为");
    w.cycle().onStepTimer();
    EXPECT_EQ(w.LB()->text(), "遇行人正在通过人行横道应停车让行。\n(后面为答案）  正确");
    EXPECT_EQ(f.shownQuestion(), "遇行人正在通过人行横道应停车让行。");
}

TEST(ExamDisplay, NoLineEndsOnAnOptionsLabelAtAnyWidth) {
    StudyFixture f;
    f.env.makeBank(examBank());
    f.settings({{"guageword", "1"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    const QString text = w.LB()->text();
    for (int width = 30; width <= 400; width += 5) {
        for (const QString& line : linesAt(text, w.LB()->font(), width)) {
            const QString bare = line.trimmed();
            EXPECT_FALSE(bare.size() == 2 && bare[1] == QLatin1Char('.'))
                << "a line of only a label at width " << width << ": " << line.toStdString();
            EXPECT_FALSE(line.endsWith(nb)) << "broken after a label at width " << width;
        }
    }
}

TEST(ExamDisplay, TheMenuEntryShowsTheExplanationAtOnceAndRemembersIt) {
    StudyFixture f;
    f.env.makeBank(examBank());
    f.settings({{"guageword", "1"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    QAction* entry = explainEntry(w);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isCheckable());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_FALSE(readFile(f.env.settingsFile()).contains("explainword"))
        << "a new key is written only when the learner switches it";

    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(w.LB()->text().endsWith("B 违法行为\n解析：违反信号灯通行属于违法行为。"))
        << w.LB()->text().toStdString();
    EXPECT_EQ(f.shownQuestion(), "驾驶机动车闯红灯属于什么行为？\nA." + nb + "警告\nB." + nb +
                                     "违法行为\nC." + nb + "犯罪行为\nD." + nb + "没有责任");
    EXPECT_TRUE(readFile(f.env.settingsFile()).contains("explainword=1"));
    w.cycle().onStepTimer();
    EXPECT_TRUE(w.LB()->text().endsWith("正确\n解析：应当停车让行。"));

    // The next start reads it back; switched off, the explanation goes.
    f.frm.reset();
    QuestionWindow& again = f.start();
    EXPECT_TRUE(explainEntry(again)->isChecked());
    EXPECT_TRUE(again.LB()->text().contains("解析："));
    explainEntry(again)->trigger();
    EXPECT_FALSE(again.LB()->text().contains("解析："));
    EXPECT_TRUE(readFile(f.env.settingsFile()).contains("explainword=0"));
}

TEST(ExamDisplay, SpeechReadsTheOptionsBeforeTheAnswer) {
    StudyFixture f;
    f.env.makeBank(examBank());
    f.settings({{"guageword", "1"}, {"voice", "1"}, {"isnoSpeak", "1"}});
    QuestionWindow& w = f.start();
    w.cycle().onStepTimer();  // the true-or-false one
    w.cycle().onStepTimer();  // round to the choice question
    ASSERT_GE(f.speech.spoken.size(), 2);
    const QString question = f.speech.spoken[f.speech.spoken.size() - 2];
    const QString answer = f.speech.spoken.last();
    EXPECT_TRUE(question.startsWith("驾驶机动车闯红灯属于什么行为？"));
    EXPECT_LT(question.indexOf("A." + nb + "警告"), question.indexOf("D." + nb + "没有责任"));
    EXPECT_EQ(answer, "B 违法行为");
}

TEST(ExamDisplay, APlainBankLaysOutAsBeforeWithTheExplanationsOn) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"guageword", "1"}, {"voice", "0"}, {"explainword", "1"}});
    QuestionWindow& w = f.start();
    EXPECT_EQ(w.LB()->text(), "问题1  (后面为答案）  答案1");
}
