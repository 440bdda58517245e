// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the exam's questions: every row with a kind, in one read, pictures
// left in the file until asked for; the bank is never written; a file that
// cannot be read says why.
#include <gtest/gtest.h>

#include "questionbank/database.h"
#include "questionbank/examfields.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "study/mockexam/exambankreader.h"
#include "tests/mockexam/mockexamfixture.h"
#include "tests/support/picturebytes.h"
#include "tests/support/testenv.h"

namespace {

std::vector<BankSchema::Question> bankRows(const QByteArray& picture) {
    auto rows = ExamFixture::rows({"交通信号", "临危处置"}, 2, 2, 1);
    rows.push_back(ExamFixture::row("交通信号", ExamKind::kSingle, 50, picture));
    BankSchema::Question plain;  // a question without a kind: not for the exam
    plain.category = "交通信号";
    plain.question = "红灯停";
    plain.answer = "绿灯行";
    rows.push_back(plain);
    BankSchema::Question unsound = ExamFixture::row("交通信号", ExamKind::kSingle, 60);
    unsound.answer = "E";  // no such option
    rows.push_back(unsound);
    BankSchema::Question written = ExamFixture::row("交通信号", ExamKind::kJudge, 70);
    written.answer = "×";
    rows.push_back(written);
    BankSchema::Question letters = ExamFixture::row("临危处置", ExamKind::kMultiple, 80);
    letters.answer = "d,b";
    rows.push_back(letters);
    return rows;
}

const ExamQuestion* find(const std::vector<ExamQuestion>& all, const QString& text) {
    for (const ExamQuestion& q : all)
        if (q.text == text) return &q;
    return nullptr;
}

}  // namespace

TEST(ExamBankReaderTest, EveryQuestionWithAKindIsReadAndTheBankIsNotWritten) {
    TestEnv env;
    const QByteArray picture = PictureBytes::encoded("PNG", 20, 10, Qt::blue);
    const auto rows = bankRows(picture);
    env.makeBank(rows);
    const QByteArray before = readFile(env.file(Queries::kBankFile));

    ExamBankReader reader(env.programDir());
    const auto all = reader.bankQuestions();
    ASSERT_TRUE(all.has_value()) << reader.error().toStdString();
    EXPECT_TRUE(reader.error().isEmpty());
    EXPECT_EQ(all->size(), 13u);  // 10 + picture + written judgement + letters
    EXPECT_EQ(reader.skipped(), 1);
    for (const ExamQuestion& q : *all) {
        EXPECT_EQ(q.source, ExamQuestion::Source::Bank);
        EXPECT_FALSE(q.category.isEmpty());
        EXPECT_NE(q.text, "红灯停");
        EXPECT_EQ(q.identity,
                  QuestionIdentity::of(q.text, q.options, q.hasPicture ? picture : QByteArray()));
    }
    const ExamQuestion* pictured = find(*all, rows[10].question);
    ASSERT_NE(pictured, nullptr);
    EXPECT_TRUE(pictured->hasPicture);
    EXPECT_EQ(pictured->explanation, rows[10].exam.explanation);
    EXPECT_EQ(pictured->options[2], rows[10].exam.options[2]);
    EXPECT_EQ(find(*all, rows[13].question)->answer, "错误");
    EXPECT_EQ(find(*all, rows[14].question)->answer, "BD");
    EXPECT_EQ(find(*all, rows[0].question)->kind, ExamKind::kJudge);
    EXPECT_FALSE(find(*all, rows[0].question)->hasPicture);

    QString why;
    EXPECT_EQ(reader.picture(*pictured, &why), picture);
    EXPECT_TRUE(why.isEmpty());
    EXPECT_TRUE(reader.picture(*find(*all, rows[0].question)).isEmpty());
    const auto fields = reader.listFields(*pictured, &why);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->value("picture").toByteArray(), picture);
    EXPECT_EQ(fields->value("English").toString(), pictured->text);
    EXPECT_EQ(fields->value("Chinese").toString(), pictured->answer);
    EXPECT_EQ(fields->value("option_b").toString(), pictured->options[1]);

    EXPECT_EQ(readFile(env.file(Queries::kBankFile)), before);
}

TEST(ExamBankReaderTest, ThePersonalListIsReadWithItsOwnPictures) {
    TestEnv env;
    const QByteArray picture = PictureBytes::encoded("PNG", 8, 8, Qt::green);
    auto rows = ExamFixture::rows({""}, 1, 1, 1);
    rows.push_back(ExamFixture::row("", ExamKind::kJudge, 9, picture));
    env.makePersonalList(rows);
    ExamBankReader reader(env.programDir());
    const auto list = reader.personalQuestions();
    ASSERT_TRUE(list.has_value()) << reader.error().toStdString();
    ASSERT_EQ(list->size(), 4u);
    for (const ExamQuestion& q : *list) EXPECT_EQ(q.source, ExamQuestion::Source::PersonalList);
    EXPECT_EQ(reader.picture(list->back()), picture);
}

TEST(ExamBankReaderTest, AFileThatCannotBeReadSaysWhyInChinese) {
    TestEnv env;
    ExamBankReader missing(env.programDir());
    EXPECT_FALSE(missing.bankQuestions().has_value());
    EXPECT_FALSE(missing.error().isEmpty());
    EXPECT_TRUE(missing.error().contains("reg.ocx")) << missing.error().toStdString();

    writeFile(env.file(Queries::kBankFile), QByteArray(2048, 'z'));
    ExamBankReader damaged(env.programDir());
    EXPECT_FALSE(damaged.bankQuestions().has_value());
    EXPECT_FALSE(damaged.error().isEmpty());
    EXPECT_EQ(readFile(env.file(Queries::kBankFile)), QByteArray(2048, 'z'));

    env.makeBank(ExamFixture::rows({"交通信号"}, 2, 2, 0));
    {
        // The Manager's editor holds the bank for exclusive use.
        auto held = Database::open(env.file(Queries::kBankFile), {.exclusive = true},
                                   Queries::kBankConnect);
        ExamBankReader locked(env.programDir());
        EXPECT_FALSE(locked.bankQuestions().has_value());
        EXPECT_FALSE(locked.error().isEmpty());
    }
    ExamBankReader free(env.programDir());
    const auto read = free.bankQuestions();
    ASSERT_TRUE(read.has_value()) << free.error().toStdString();
    EXPECT_EQ(read->size(), 4u);

    // A bank from before question kinds: nothing for an exam, and no fault.
    BankSchema::Question plain{"交通信号", "红灯停", "绿灯行"};
    env.makeBank({plain});
    ExamBankReader old(env.programDir());
    const auto none = old.bankQuestions();
    ASSERT_TRUE(none.has_value()) << old.error().toStdString();
    EXPECT_TRUE(none->empty());
}

TEST(ExamBankReaderTest, APictureOfARowChangedSinceTheDrawIsNotShownForIt) {
    TestEnv env;
    const QByteArray picture = PictureBytes::encoded("PNG", 6, 6);
    env.makeBank({ExamFixture::row("交通信号", ExamKind::kJudge, 1, picture)});
    ExamBankReader reader(env.programDir());
    auto all = reader.bankQuestions();
    ASSERT_TRUE(all && all->size() == 1);
    ExamQuestion q = all->front();
    q.text += "（改）";
    QString why;
    EXPECT_TRUE(reader.picture(q, &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(reader.listFields(q, &why).has_value());
}
