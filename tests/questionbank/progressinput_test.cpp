// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDateTime>

#include "questionbank/categories.h"
#include "questionbank/examfields.h"
#include "questionbank/progressinput.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "tests/support/testenv.h"

namespace {

BankSchema::Question examQuestion(const QString& category) {
    BankSchema::Question q{category, QStringLiteral("遇到这个标志应当怎样？"), QStringLiteral("B")};
    q.picture = QByteArray("\x89PNG not really a picture", 25);
    q.exam.kind = ExamKind::kSingle;
    q.exam.options = {QStringLiteral("加速"), QStringLiteral("减速"), QStringLiteral("鸣笛"),
                      QStringLiteral("停车")};
    return q;
}

}  // namespace

TEST(ProgressInput, ReadsCategoryKindAndIdentityOfEveryRowOfBothFiles) {
    TestEnv env;
    const QString cat = Categories::names().at(3);
    const BankSchema::Question exam = examQuestion(cat);
    env.makeBank({exam, {cat, QStringLiteral("夜间会车应当怎样用灯？"), QStringLiteral("近光灯")}});
    // A personal list from before pictures: no identity column, no category.
    env.makeFileWith(Queries::kPersonalFile,
                     {QStringLiteral("CREATE TABLE Word (\"index\" INTEGER PRIMARY KEY "
                                     "AUTOINCREMENT, English TEXT UNIQUE, Chinese TEXT)"),
                      QStringLiteral("INSERT INTO Word (English, Chinese) VALUES ('a', 'b')")});

    const auto bank =
        ProgressInput::readQuestions(env.file(Queries::kBankFile), Queries::kBankConnect);
    ASSERT_EQ(bank.size(), 2u);
    EXPECT_EQ(bank[0].category, cat);
    EXPECT_EQ(bank[0].kind, ExamKind::kSingle);
    EXPECT_EQ(bank[0].identity,
              QuestionIdentity::of(exam.question, exam.exam.options, exam.picture));
    EXPECT_TRUE(bank[1].kind.isEmpty());
    EXPECT_EQ(bank[1].identity,
              QuestionIdentity::of(QStringLiteral("夜间会车应当怎样用灯？"), {}, {}));

    const auto personal = ProgressInput::readQuestions(env.file(Queries::kPersonalFile));
    ASSERT_EQ(personal.size(), 1u);
    EXPECT_TRUE(personal[0].category.isEmpty());
    EXPECT_EQ(personal[0].identity, QuestionIdentity::of(QStringLiteral("a"), {}, {}))
        << "worked out where the file does not keep it";
}

TEST(ProgressInput, GathersTheStoreUpToNowAndNamesWhatCouldNotBeRead) {
    TestEnv env;
    const QString cat = Categories::names().at(0);
    const BankSchema::Question exam = examQuestion(cat);
    env.makeBank({exam});
    const QString identity = QuestionIdentity::of(exam.question, exam.exam.options, exam.picture);
    const qint64 now = QDateTime(QDate(2026, 5, 1), QTime(20, 0)).toMSecsSinceEpoch();

    // No personal list, no store: its note, and every question new.
    auto g = ProgressInput::gather(env.programDir(), nullptr, now);
    ASSERT_EQ(g.problems.size(), 1);
    EXPECT_TRUE(g.problems[0].contains(Queries::kPersonalFile)) << g.problems[0].toStdString();
    EXPECT_EQ(g.input.bank.size(), 1u);
    EXPECT_TRUE(g.input.cards.isEmpty());
    EXPECT_EQ(g.input.nowMs, now);

    env.makePersonalList({});
    auto store = ProgressStore::open(env.programDir(), Fsrs());
    ASSERT_TRUE(store);
    ASSERT_TRUE(store->recordGrade(identity, Fsrs::Grade::Knew, now - Fsrs::kDayMs));
    ASSERT_TRUE(
        store->recordGrade(identity, Fsrs::Grade::Knew, now + 1));  // after the moment asked
    ASSERT_TRUE(store->addPaper({0, now - 1000, QStringLiteral("科目一"), 95, 30000, {}}));
    g = ProgressInput::gather(env.programDir(), store.get(), now);
    EXPECT_TRUE(g.problems.isEmpty()) << g.problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(g.input.cards.size(), 1);
    ASSERT_EQ(g.input.reviews.size(), 1u);
    EXPECT_EQ(g.input.reviews[0].timeMs, now - Fsrs::kDayMs);
    ASSERT_EQ(g.input.papers.size(), 1u);
    EXPECT_EQ(g.input.papers[0].score, 95);
}
