// SPDX-License-Identifier: GPL-3.0-or-later
// The wrong ones into the personal list: each once, with its picture, each
// graded 忘了; a second time adds nothing.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "questionbank/examfields.h"
#include "study/mockexam/exambankreader.h"
#include "study/mockexam/wrongbook.h"
#include "study/personallist.h"
#include "tests/mockexam/mockexamfixture.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {
constexpr qint64 kNow = 1'780'000'000'000;

WrongBook::ListAdder adderOf(PersonalList& list) {
    return [&list](const QVariantMap& q) {
        switch (list.add(q).outcome) {
            case PersonalList::Outcome::Added:
                return WrongBook::Added::Added;
            case PersonalList::Outcome::AlreadyThere:
                return WrongBook::Added::AlreadyThere;
            default:
                return WrongBook::Added::Failed;
        }
    };
}
}  // namespace

TEST(WrongBookTest, TheWrongOnesGoIntoThePersonalListOnceAndAreGradedForgot) {
    TestEnv env;
    QTemporaryDir progress;
    auto rows = ExamFixture::rows(PaperRules::subjectOne().categories, 14, 20, 0);
    const QByteArray picture = PictureBytes::encoded("PNG", 12, 12, Qt::yellow);
    rows.push_back(ExamFixture::row("交通信号", ExamKind::kSingle, 99, picture));
    env.makeBank(rows);
    env.makePersonalList({});
    const QByteArray bankBefore = readFile(env.file("reg.ocx"));
    ExamBankReader reader(env.programDir());
    const auto bank = reader.bankQuestions();
    ASSERT_TRUE(bank.has_value()) << reader.error().toStdString();

    const DrawnPaper paper = PaperDraw(*bank, 2).draw(PaperRules::subjectOne());
    ASSERT_EQ(paper.questions.size(), 100u);
    // Half right, the picture question and the rest wrong or unanswered.
    QStringList responses;
    int pictured = -1;
    for (int i = 0; i < 100; ++i) {
        const ExamQuestion& q = paper.questions[size_t(i)];
        if (q.hasPicture) pictured = i;
        responses << (i % 2 == 0 && !q.hasPicture ? q.answer
                      : i % 3 == 0                ? QString()
                                                  : ExamFixture::wrongResponse(q));
    }
    ASSERT_GE(pictured, 0);
    const ExamResult result = ExamResult::of(paper, responses, 0, ExamResult::Ending::ByLearner);
    auto wrong = WrongBook::wrongOf(paper, result);
    ASSERT_EQ(wrong.size(), result.wrong.size());
    wrong.push_back(wrong.front());  // the same question twice counts once

    auto store = ProgressStore::open(progress.path(), Fsrs());
    PersonalList list(env.programDir(), [] { return nullptr; });
    const auto source = [&] { return store.get(); };
    const WrongBook::Outcome first = WrongBook::put(wrong, reader, adderOf(list), source, kNow);
    EXPECT_EQ(first.added, int(result.wrong.size()));
    EXPECT_EQ(first.alreadyThere, 0);
    EXPECT_EQ(first.failed, 0);
    EXPECT_EQ(first.graded, int(result.wrong.size()));
    EXPECT_FALSE(first.storeFaulted);
    EXPECT_TRUE(first.text().contains(QString::number(first.added)));

    const WrongBook::Outcome again = WrongBook::put(wrong, reader, adderOf(list), source, kNow + 1);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.alreadyThere, int(result.wrong.size()));

    // The list holds each wrong question once, the same question (picture
    // included, as its identity says).
    const auto inList = reader.personalQuestions();
    ASSERT_TRUE(inList.has_value()) << reader.error().toStdString();
    QStringList listed, expected;
    for (const ExamQuestion& q : *inList) listed << q.identity;
    for (int i : result.wrong) expected << paper.questions[size_t(i)].identity;
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);

    const auto reviews = store->reviewsOf(paper.questions[size_t(pictured)].identity);
    ASSERT_TRUE(reviews && reviews->size() == 2);
    EXPECT_EQ(reviews->front().grade, Fsrs::Grade::Forgot);
    EXPECT_EQ(reviews->front().timeMs, kNow);
    // Nothing of the bank was written on the way.
    EXPECT_EQ(readFile(env.file("reg.ocx")), bankBefore);
}

TEST(WrongBookTest, WithoutAStoreTheQuestionsStillGoInAndTheLearnerIsTold) {
    TestEnv env;
    env.makeBank(ExamFixture::rows({"交通信号"}, 2, 2, 0));
    env.makePersonalList({});
    ExamBankReader reader(env.programDir());
    const auto bank = reader.bankQuestions();
    ASSERT_TRUE(bank.has_value());
    PersonalList list(env.programDir(), [] { return nullptr; });
    const WrongBook::Outcome out = WrongBook::put(
        *bank, reader, adderOf(list), [] { return nullptr; }, kNow);
    EXPECT_EQ(out.added, 4);
    EXPECT_EQ(out.graded, 0);
    EXPECT_TRUE(out.storeFaulted);
    EXPECT_TRUE(out.text().contains("忘了")) << out.text().toStdString();
}
