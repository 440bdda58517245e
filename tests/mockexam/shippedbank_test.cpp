// SPDX-License-Identifier: GPL-3.0-or-later
// The bank that ships with the programs, read as the exam reads it: a whole
// 科目一, and the shorter 科目四 the help page gives as its example.
#include <gtest/gtest.h>

#include <QTextStream>

#include "study/mockexam/exambankreader.h"
#include "study/mockexam/paperdraw.h"
#include "tests/support/testenv.h"
#include "tools/bankcommands.h"

TEST(ShippedBankTest, MakesAWholeSubjectOneAndOffersTheShorterSubjectFourTheHelpNames) {
    TestEnv env;
    QString log;
    QTextStream out(&log), err(&log);
    ASSERT_EQ(BankCommands::build(QStringLiteral(TEST_SOURCE_DIR "/data/bank.csv"),
                                  env.programDir(), true, out, err),
              0)
        << log.toStdString();
    ExamBankReader reader(env.programDir());
    const auto all = reader.bankQuestions();
    ASSERT_TRUE(all.has_value()) << reader.error().toStdString();
    EXPECT_EQ(reader.skipped(), 0);
    PaperDraw draw(*all);
    EXPECT_FALSE(draw.check(PaperRules::subjectOne()).isShort());
    EXPECT_EQ(draw.draw(PaperRules::subjectOne()).questions.size(), 100u);

    const PaperDraw::Shortage four = draw.check(PaperRules::subjectFour());
    ASSERT_TRUE(four.isShort());
    EXPECT_EQ(four.shorter.name, "科目四（46题）");
    EXPECT_EQ(four.shorter.durationMs, 28 * 60 * 1000);
    EXPECT_EQ(four.shorter.fullScore(), 92);
    EXPECT_EQ(four.shorter.passScore(), 83);
}
