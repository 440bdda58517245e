// SPDX-License-Identifier: GPL-3.0-or-later
// The two papers' rules and drawing a paper: its counts by kind, its
// categories, no question twice, the seed, and a bank too small for it.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "questionbank/categories.h"
#include "questionbank/examfields.h"
#include "study/mockexam/paperdraw.h"
#include "tests/mockexam/mockexamfixture.h"

namespace {

QStringList identities(const DrawnPaper& p) {
    QStringList out;
    for (const ExamQuestion& q : p.questions) out << q.identity;
    return out;
}

int countOf(const DrawnPaper& p, const QString& kind) {
    int n = 0;
    for (const ExamQuestion& q : p.questions) n += q.kind == kind;
    return n;
}

}  // namespace

TEST(PaperRulesTest, TheTwoPapersAsTheRulesSetThem) {
    const PaperRules one = PaperRules::subjectOne();
    EXPECT_EQ(one.name, "科目一");
    EXPECT_EQ(one.questionCount(), 100);
    EXPECT_EQ(one.durationMs, 45 * 60 * 1000);
    EXPECT_EQ(one.pointsEach, 1);
    EXPECT_EQ(one.fullScore(), 100);
    EXPECT_EQ(one.passScore(), 90);
    EXPECT_EQ(one.countOf(ExamKind::kMultiple), 0);
    EXPECT_GT(one.countOf(ExamKind::kJudge), 0);
    EXPECT_GT(one.countOf(ExamKind::kSingle), 0);

    const PaperRules four = PaperRules::subjectFour();
    EXPECT_EQ(four.name, "科目四");
    EXPECT_EQ(four.questionCount(), 50);
    EXPECT_EQ(four.durationMs, 30 * 60 * 1000);
    EXPECT_EQ(four.pointsEach, 2);
    EXPECT_EQ(four.fullScore(), 100);
    EXPECT_EQ(four.passScore(), 90);
    for (const QString& k : {ExamKind::kJudge, ExamKind::kSingle, ExamKind::kMultiple})
        EXPECT_GT(four.countOf(k), 0) << k.toStdString();

    // Every category of both papers is one of the bank's; none feeds both.
    for (const QString& c : one.categories + four.categories)
        EXPECT_TRUE(Categories::names().contains(c)) << c.toStdString();
    for (const QString& c : one.categories) EXPECT_FALSE(four.takes(c)) << c.toStdString();
    EXPECT_EQ(PaperRules::subjectNamed("科目四（46题）"), PaperRules::Subject::Four);
    EXPECT_EQ(PaperRules::subjectNamed("科目一"), PaperRules::Subject::One);
}

TEST(PaperDrawTest, APaperHasItsCountsKindsAndCategoriesAndNoQuestionTwice) {
    // Every category in the pool, the papers' and the others.
    const auto pool = ExamFixture::pool(Categories::names(), 60, 80, 20);
    for (const PaperRules& rules : {PaperRules::subjectOne(), PaperRules::subjectFour()}) {
        PaperDraw draw(pool, 11);
        EXPECT_FALSE(draw.check(rules).isShort());
        const DrawnPaper p = draw.draw(rules);
        EXPECT_EQ(p.name(), rules.name);
        EXPECT_EQ(int(p.questions.size()), rules.questionCount());
        EXPECT_EQ(p.durationMs, rules.durationMs);
        QSet<QString> categories;
        for (const PaperRules::KindCount& k : rules.kinds) EXPECT_EQ(countOf(p, k.kind), k.count);
        for (const ExamQuestion& q : p.questions) {
            EXPECT_TRUE(rules.takes(q.category)) << q.category.toStdString();
            categories.insert(q.category);
        }
        // Drawn from all the paper's categories, not just the first.
        EXPECT_EQ(categories.size(), rules.categories.size());
        const QStringList ids = identities(p);
        EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        // In the rules' kind order: all judgements first, then the choices.
        for (size_t i = 1; i < p.questions.size(); ++i) {
            const auto rank = [&](const QString& kind) {
                for (size_t k = 0; k < rules.kinds.size(); ++k)
                    if (rules.kinds[k].kind == kind) return int(k);
                return -1;
            };
            EXPECT_LE(rank(p.questions[i - 1].kind), rank(p.questions[i].kind));
        }
    }
}

TEST(PaperDrawTest, TheSameSeedDrawsTheSamePaperAndRepeatsOfAQuestionCountOnce) {
    const auto pool = ExamFixture::pool(PaperRules::subjectOne().categories, 60, 80, 0);
    PaperDraw a(pool, 5), b(pool, 5), c(pool, 6);
    const QStringList first = identities(a.draw(PaperRules::subjectOne()));
    EXPECT_EQ(first, identities(b.draw(PaperRules::subjectOne())));
    EXPECT_NE(first, identities(c.draw(PaperRules::subjectOne())));
    // A second paper from the same draw is another paper.
    EXPECT_NE(first, identities(a.draw(PaperRules::subjectOne())));

    // The same question twice in the questions is one candidate: 40
    // judgements are needed and only 30 distinct ones are there.
    auto doubled = ExamFixture::pool(PaperRules::subjectOne().categories, 10, 80, 0);
    const auto copy = doubled;
    doubled.insert(doubled.end(), copy.begin(), copy.end());
    const PaperDraw::Shortage s = PaperDraw(doubled, 1).check(PaperRules::subjectOne());
    ASSERT_TRUE(s.isShort());
    EXPECT_EQ(s.kinds[0].available, 30);
}

TEST(PaperDrawTest, ABankTooSmallSaysWhatItHasAndOffersAShorterPaper) {
    // 科目四 needs 10 多选; the four categories hold 6 (as the shipped bank).
    std::vector<ExamQuestion> pool =
        ExamFixture::pool(PaperRules::subjectFour().categories, 10, 10, 0);
    for (int i = 0; i < 6; ++i)
        pool.push_back(ExamFixture::question("临危处置", ExamKind::kMultiple, 100 + i));
    // 多选 of a category that does not feed 科目四 do not count.
    for (int i = 0; i < 9; ++i)
        pool.push_back(ExamFixture::question("客车专用试题", ExamKind::kMultiple, i));
    PaperDraw draw(pool, 3);
    const PaperDraw::Shortage s = draw.check(PaperRules::subjectFour());
    ASSERT_TRUE(s.isShort());
    ASSERT_EQ(s.kinds.size(), 3u);
    EXPECT_EQ(s.kinds[2].kind, ExamKind::kMultiple);
    EXPECT_EQ(s.kinds[2].needed, 10);
    EXPECT_EQ(s.kinds[2].available, 6);
    EXPECT_EQ(s.kinds[0].available, 40);
    // Each kind takes what there is: 20 + 20 + 6 = 46, the time scaled
    // (30 min * 46 / 50 = 27.6) up to 28 minutes, points and pass line kept.
    EXPECT_EQ(s.shorter.questionCount(), 46);
    EXPECT_EQ(s.shorter.durationMs, 28 * 60 * 1000);
    EXPECT_EQ(s.shorter.pointsEach, 2);
    EXPECT_EQ(s.shorter.fullScore(), 92);
    EXPECT_EQ(s.shorter.passScore(), 83);  // 90 % of 92, rounded up
    EXPECT_EQ(s.shorter.name, "科目四（46题）");
    const QString text = s.text();
    EXPECT_TRUE(text.contains("多选题只有 6 道，需要 10 道")) << text.toStdString();
    EXPECT_TRUE(text.contains("46 题、28 分钟")) << text.toStdString();
    EXPECT_FALSE(text.contains("判断题只有")) << text.toStdString();

    const DrawnPaper p = draw.draw(PaperRules::subjectFour());
    EXPECT_EQ(p.questions.size(), 46u);
    EXPECT_EQ(p.name(), "科目四（46题）");
    EXPECT_EQ(p.durationMs, 28 * 60 * 1000);
    EXPECT_EQ(countOf(p, ExamKind::kMultiple), 6);

    // A bank without a single question for the paper offers nothing.
    const PaperDraw::Shortage none = PaperDraw({}, 1).check(PaperRules::subjectOne());
    EXPECT_EQ(none.shorter.questionCount(), 0);
    EXPECT_TRUE(none.text().contains("无法组成科目一试卷")) << none.text().toStdString();
}

TEST(PaperDrawTest, TheTestClockVariableShortensThePapersTime) {
    const auto pool = ExamFixture::pool(PaperRules::subjectOne().categories, 60, 80, 0);
    for (const char* value : {"abc", "-3", "0"}) {
        qputenv("QUILLMERE_EXAM_SECONDS", value);
        EXPECT_EQ(PaperDraw(pool, 1).draw(PaperRules::subjectOne()).durationMs, 45 * 60 * 1000)
            << value;
    }
    qputenv("QUILLMERE_EXAM_SECONDS", "5");
    const qint64 overridden = PaperDraw(pool, 1).draw(PaperRules::subjectOne()).durationMs;
    qunsetenv("QUILLMERE_EXAM_SECONDS");
    EXPECT_EQ(overridden, 5000);
}

// The help page's table says which categories feed which paper, and its
// counts, exactly as the rules draw them.
TEST(PaperRulesTest, TheHelpPageTellsEachPapersCategoriesAndCounts) {
    QFile f(QStringLiteral(TEST_SOURCE_DIR "/data/help/help.html"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    for (const PaperRules& rules : {PaperRules::subjectOne(), PaperRules::subjectFour()}) {
        QStringList kinds;
        for (const PaperRules::KindCount& k : rules.kinds)
            kinds << QStringLiteral("%1题 %2 道").arg(k.kind).arg(k.count);
        const QString row =
            QStringLiteral("<tr><td>%1</td><td>%2 题，%3 分钟</td><td>每题 %4 分，%5 分及格</td>")
                .arg(rules.name)
                .arg(rules.questionCount())
                .arg(rules.durationMs / 60000)
                .arg(rules.pointsEach)
                .arg(rules.passScore()) +
            QStringLiteral("\n      <td>%1</td><td>%2</td></tr>")
                .arg(kinds.join(QStringLiteral("，")), rules.categories.join(QStringLiteral("、")));
        EXPECT_TRUE(page.contains(row)) << row.toStdString();
    }
}
