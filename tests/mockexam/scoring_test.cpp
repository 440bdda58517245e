// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring a paper: a point or two per right answer, a 多选 only when exactly
// right, the pass line, the score per category and the list of wrong ones;
// and the responses a learner's keys give.
#include <gtest/gtest.h>

#include <QJsonObject>

#include "questionbank/examfields.h"
#include "study/mockexam/examresult.h"
#include "tests/mockexam/mockexamfixture.h"

namespace {

QStringList allRight(const DrawnPaper& p) {
    QStringList out;
    for (const ExamQuestion& q : p.questions) out << q.answer;
    return out;
}

}  // namespace

TEST(ExamQuestionTest, KeysAndWrittenFormsGiveTheStoredResponse) {
    const ExamQuestion judge = ExamFixture::question("交通信号", ExamKind::kJudge, 0);
    for (const char* yes : {"正确", "对", "√", "Y", "y", "1"})
        EXPECT_EQ(judge.normalisedResponse(QString::fromUtf8(yes)), "正确") << yes;
    for (const char* no : {"错误", "错", "×", "N", "2"})
        EXPECT_EQ(judge.normalisedResponse(QString::fromUtf8(no)), "错误") << no;
    EXPECT_EQ(judge.normalisedResponse("A"), "");

    ExamQuestion single = ExamFixture::question("交通信号", ExamKind::kSingle, 1);
    single.options[3].clear();  // three options: D is no answer
    EXPECT_EQ(single.normalisedResponse("b"), "B");
    EXPECT_EQ(single.normalisedResponse("3"), "C");
    EXPECT_EQ(single.normalisedResponse("D"), "");
    EXPECT_EQ(single.normalisedResponse("AB"), "");  // one letter only

    const ExamQuestion multiple = ExamFixture::question("临危处置", ExamKind::kMultiple, 1);
    EXPECT_EQ(multiple.normalisedResponse("d, a、B"), "ABD");
    EXPECT_EQ(multiple.normalisedResponse("DBA"), "ABD");
    EXPECT_TRUE(multiple.isRight("BDA"));
    EXPECT_FALSE(multiple.isRight("AB"));    // one short
    EXPECT_FALSE(multiple.isRight("ABCD"));  // one too many
    EXPECT_FALSE(multiple.isRight(""));
}

TEST(ExamResultTest, SubjectOneScoresAPointEachAndPassesAtNinety) {
    const DrawnPaper p = ExamFixture::paper(PaperRules::subjectOne());
    ASSERT_EQ(p.questions.size(), 100u);
    QStringList responses = allRight(p);
    ExamResult r = ExamResult::of(p, responses, 60000, ExamResult::Ending::ByLearner);
    EXPECT_EQ(r.score, 100);
    EXPECT_TRUE(r.passed);
    EXPECT_TRUE(r.wrong.empty());
    EXPECT_EQ(r.usedMs, 60000);

    // Ten wrong: 90, still a pass; eleven: 89, a fail.
    for (int i = 0; i < 10; ++i) responses[i * 7] = ExamFixture::wrongResponse(p.questions[i * 7]);
    r = ExamResult::of(p, responses, 60000, ExamResult::Ending::ByLearner);
    EXPECT_EQ(r.score, 90);
    EXPECT_TRUE(r.passed);
    responses[99].clear();  // unanswered counts as wrong
    r = ExamResult::of(p, responses, 60000, ExamResult::Ending::ByLearner);
    EXPECT_EQ(r.score, 89);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.answered, 99);
    ASSERT_EQ(r.wrong.size(), 11u);
    EXPECT_EQ(r.wrong.front(), 0);
    EXPECT_EQ(r.wrong.back(), 99);

    // Per category: the sums are the paper's, each category's own counts add up.
    int questions = 0, score = 0, full = 0;
    for (const ExamResult::CategoryScore& c : r.perCategory) {
        EXPECT_TRUE(p.rules.takes(c.category));
        EXPECT_EQ(c.score, c.right);
        questions += c.questions, score += c.score, full += c.full;
    }
    EXPECT_EQ(questions, 100);
    EXPECT_EQ(score, 89);
    EXPECT_EQ(full, 100);
}

TEST(ExamResultTest, SubjectFourScoresTwoPointsAndAMultipleOnlyWhenExact) {
    const DrawnPaper p = ExamFixture::paper(PaperRules::subjectFour());
    ASSERT_EQ(p.questions.size(), 50u);
    QStringList responses = allRight(p);
    EXPECT_EQ(ExamResult::of(p, responses, 0, ExamResult::Ending::ByLearner).score, 100);
    // Every 多选 answered with all of its letters but one: no points for any.
    int multiples = 0;
    for (int i = 0; i < 50; ++i)
        if (p.questions[size_t(i)].isMultiple()) {
            responses[i] = p.questions[size_t(i)].answer.chopped(1);
            ++multiples;
        }
    ASSERT_EQ(multiples, 10);
    ExamResult r = ExamResult::of(p, responses, 0, ExamResult::Ending::ByLearner);
    EXPECT_EQ(r.score, 80);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.wrong.size(), 10u);
    // 45 right of 50 is 90: the pass line.
    responses = allRight(p);
    for (int i = 0; i < 5; ++i) responses[i].clear();
    r = ExamResult::of(p, responses, 0, ExamResult::Ending::TimeUp);
    EXPECT_EQ(r.score, 90);
    EXPECT_TRUE(r.passed);
    EXPECT_EQ(r.ending, ExamResult::Ending::TimeUp);
    for (const ExamResult::CategoryScore& c : r.perCategory) EXPECT_EQ(c.score, 2 * c.right);
}

TEST(ExamResultTest, TheKeptAnswersNameEachQuestionByItsIdentity) {
    const DrawnPaper p = ExamFixture::paper(PaperRules::subjectFour());
    QStringList responses = allRight(p);
    responses[3] = ExamFixture::wrongResponse(p.questions[3]);
    responses[4].clear();
    const QJsonArray a = ExamResult::answersJson(p, responses);
    ASSERT_EQ(a.size(), 50);
    for (int i = 0; i < 50; ++i) {
        const QJsonObject o = a[i].toObject();
        EXPECT_EQ(o["identity"].toString(), p.questions[size_t(i)].identity);
        EXPECT_EQ(o["answer"].toString(), p.questions[size_t(i)].answer);
        EXPECT_EQ(o["response"].toString(), responses[i]);
        EXPECT_EQ(o["right"].toBool(), i != 3 && i != 4) << i;
    }
}
