// SPDX-License-Identifier: GPL-3.0-or-later
// The bank that ships with the programs, read as the exam reads it: both
// papers whole, so a learner is never offered a shorter one.
#include <gtest/gtest.h>

#include <QTextStream>
#include <algorithm>

#include "study/mockexam/exambankreader.h"
#include "study/mockexam/paperdraw.h"
#include "tests/support/testenv.h"
#include "tools/bankcommands.h"

TEST(ShippedBankTest, MakesBothPapersWhole) {
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

    EXPECT_FALSE(draw.check(PaperRules::subjectFour()).isShort());
    const DrawnPaper four = draw.draw(PaperRules::subjectFour());
    EXPECT_EQ(four.questions.size(), 50u);
    EXPECT_EQ(std::count_if(four.questions.begin(), four.questions.end(),
                            [](const ExamQuestion& q) { return q.kind == ExamKind::kMultiple; }),
              10);
}
