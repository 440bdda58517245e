// SPDX-License-Identifier: GPL-3.0-or-later
// A bank in the shape of a real exam bank: its conflicts are all named in one
// run, and once they are mended one build skipping repeats keeps every
// picture question and every row that shares a text with another question.
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "tests/support/exambank.h"
#include "tests/support/testenv.h"
#include "tests/tools/buildoutcome.h"
#include "tools/bankcommands.h"

namespace {
using Outcome = BuildOutcome;

Outcome build(const QString& csv, const QString& outDir, bool skipRepeats) {
    return runBuild(csv, outDir, true, skipRepeats);
}

int count(SQLite::Database& db, const char* sql) {
    SQLite::Statement q(db, sql);
    return q.executeStep() ? q.getColumn(0).getInt() : -1;
}
}  // namespace

TEST(ExamBank, EveryConflictIsNamedInOneRunAndTheMendedBankBuildsWhole) {
    TestEnv env;
    const ExamBank::Made made = ExamBank::write(env.root() + "/raw");
    ASSERT_EQ(made.rows, 3578);
    ASSERT_EQ(made.conflicts.size(), 7);
    EXPECT_EQ(made.pictureRows, 1024);
    EXPECT_GT(made.sharingText, 40);

    for (bool skip : {false, true}) {
        const Outcome r = build(made.csv, env.root() + "/out", skip);
        EXPECT_EQ(r.code, 1);
        for (const QString& c : made.conflicts)
            EXPECT_TRUE(r.err.contains(c + QStringLiteral("（答案不同"))) << c.toStdString();
        if (skip) EXPECT_TRUE(r.err.contains("以上 7 道重复的题目答案不同")) << r.err.toStdString();
    }

    ExamBank::Shape mended;
    mended.mended = true;
    const ExamBank::Made fixed = ExamBank::write(env.root() + "/mended", mended);
    const Outcome r = build(fixed.csv, env.root() + "/out", true);
    ASSERT_EQ(r.code, 0) << r.err.left(2000).toStdString();
    SQLite::Database db((env.root() + "/out/reg.ocx").toStdString());
    EXPECT_EQ(count(db, "SELECT count(*) FROM Word"), fixed.distinctQuestions);
    EXPECT_EQ(fixed.distinctQuestions, fixed.rows - fixed.repeats);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Word WHERE picture IS NOT NULL"),
              fixed.distinctPictureQuestions);
    EXPECT_EQ(count(db, "SELECT count(*) - count(DISTINCT English) FROM Word"), fixed.sharingText)
        << "rows that share a text with another question are all kept";
    EXPECT_EQ(count(db, "SELECT count(*) FROM Word WHERE kind = '多选' AND length(Chinese) < 2"),
              0);
    EXPECT_EQ(
        count(db,
              "SELECT count(*) FROM Word WHERE kind = '判断' AND Chinese NOT IN ('正确', '错误')"),
        0);
}

TEST(ExamBank, CheckCountsEveryKindOptionAndPictureOfTheWholeBankInOneRun) {
    TestEnv env;
    ExamBank::Shape whole;
    whole.conflicts = whole.agreeingRepeats = 0;
    const ExamBank::Made made = ExamBank::write(env.root() + "/raw", whole);
    ASSERT_EQ(made.rows, 3578);
    ASSERT_EQ(made.pictureRows, 1024);
    const Outcome b = build(made.csv, env.root() + "/out", false);
    ASSERT_EQ(b.code, 0) << b.err.left(2000).toStdString();

    QString o, e;
    QTextStream out(&o), err(&e);
    const int code = BankCommands::check(env.root() + "/out/reg.ocx", out, err);
    out.flush();
    err.flush();
    ASSERT_EQ(code, 0) << e.left(2000).toStdString();
    EXPECT_TRUE(o.contains("共 3578 道题")) << o.toStdString();
    EXPECT_TRUE(o.contains("有图片的题目：1024 道")) << o.toStdString();
    EXPECT_TRUE(o.contains("题型：单选 1936 道，多选 115 道，判断 1527 道，普通题 0 道"))
        << o.toStdString();
    EXPECT_TRUE(o.contains("有选项的题目：2051 道")) << "every choice question has its options";
    EXPECT_TRUE(o.contains("题目标识：已逐条核对 3578 道"));
}
