// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSet>
#include <map>

#include "shippedbankrows.h"

// The shipped questions in the form the exam asks them: true/false
// statements, single choice out of four, now and then multiple choice, each
// with an explanation, and no answer a learner could guess from its place.
namespace {

const QString kJudge = QStringLiteral("判断"), kSingle = QStringLiteral("单选"),
              kMultiple = QStringLiteral("多选");

bool fourDistinctOptions(const ShippedRow& r) {
    QSet<QString> seen;
    for (const QString& o : r.options) seen.insert(o.trimmed());
    return r.options.size() == 4 && seen.size() == 4 && !seen.contains(QString());
}

// Letters A to D, each at most once.
bool letters(const QString& answer) {
    QSet<QChar> seen;
    for (const QChar c : answer) {
        if (c < u'A' || c > u'D' || seen.contains(c)) return false;
        seen.insert(c);
    }
    return !answer.isEmpty();
}

// What is wrong with one row, "" when nothing is.
QString rowFault(const ShippedRow& r) {
    if (r.explanation.trimmed().isEmpty()) return QStringLiteral("no explanation");
    if (r.kind == kJudge) {
        if (!r.options.join(QString()).isEmpty()) return QStringLiteral("judgement with options");
        if (r.answer != QStringLiteral("正确") && r.answer != QStringLiteral("错误"))
            return QStringLiteral("judgement answered neither 正确 nor 错误");
        return {};
    }
    if (r.kind != kSingle && r.kind != kMultiple) return QStringLiteral("no kind");
    if (!fourDistinctOptions(r)) return QStringLiteral("not four distinct options");
    if (!letters(r.answer)) return QStringLiteral("answer not letters A to D");
    if (r.kind == kSingle && r.answer.size() != 1) return QStringLiteral("single choice, many");
    if (r.kind == kMultiple && r.answer.size() < 2) return QStringLiteral("multiple choice, one");
    return {};
}

// What is wrong with the rows together: a judgement share outside 25-60 %,
// one verdict rare among them, a right letter a learner could bet on, or the
// same question twice.
QStringList setFaults(const std::vector<ShippedRow>& rows) {
    QStringList faults;
    std::map<QString, int> kinds, verdicts, singleLetters;
    QSet<QString> seen;
    for (const ShippedRow& r : rows) {
        ++kinds[r.kind];
        if (r.kind == kJudge) ++verdicts[r.answer];
        if (r.kind == kSingle) ++singleLetters[r.answer];
        const QString key =
            QStringList{r.question, r.options.join(u'\x1f'), r.picture}.join(u'\x1e');
        if (seen.contains(key)) faults << QStringLiteral("repeated: ") + r.question;
        seen.insert(key);
    }
    const double judge = double(kinds[kJudge]) / std::max<size_t>(rows.size(), 1);
    if (judge < 0.25 || judge > 0.60) faults << QStringLiteral("judgement share %1").arg(judge);
    for (const QString& v : {QStringLiteral("正确"), QStringLiteral("错误")})
        if (verdicts[v] < 0.3 * kinds[kJudge]) faults << QStringLiteral("few ") + v;
    for (const QChar letter : QStringLiteral("ABCD")) {
        const double share = double(singleLetters[letter]) / std::max(kinds[kSingle], 1);
        if (share < 0.15 || share > 0.35)
            faults << QStringLiteral("letter %1 share %2").arg(letter).arg(share);
    }
    return faults;
}

ShippedRow judgement(const QString& q, const QString& verdict) {
    return {"c", q, verdict, "", kJudge, "依据某条。", {"", "", "", ""}};
}

ShippedRow choice(const QString& q, const QString& answer, const QString& kind = kSingle) {
    return {"c", q, answer, "", kind, "依据某条。", {"甲", "乙", "丙", "丁"}};
}

// Two of each verdict and one right answer at each letter: every share fair.
std::vector<ShippedRow> fairSet() {
    return {judgement("一。", "正确"), judgement("二。", "错误"), judgement("三。", "正确"),
            judgement("四。", "错误"), choice("五？", "A"),       choice("六？", "B"),
            choice("七？", "C"),       choice("八？", "D")};
}

}  // namespace

TEST(ShippedBankForm, EveryRowIsInTheExamsForm) {
    const std::vector<ShippedRow> rows = shippedBankRows();
    ASSERT_GT(rows.size(), 300u);
    int multiple = 0;
    for (const ShippedRow& r : rows) {
        EXPECT_EQ(rowFault(r), QString()) << r.question.toStdString();
        multiple += r.kind == kMultiple;
    }
    EXPECT_EQ(setFaults(rows), QStringList());
    EXPECT_GE(multiple, 3);
    EXPECT_LE(multiple, int(rows.size() / 20));
}

TEST(ShippedBankForm, TheRowRulesCatchEachFault) {
    EXPECT_EQ(rowFault(judgement("是。", "正确")), QString());
    EXPECT_EQ(rowFault(choice("哪个？", "C")), QString());
    EXPECT_EQ(rowFault(choice("哪些？", "ABD", kMultiple)), QString());

    ShippedRow noKind = choice("哪个？", "A");
    noKind.kind.clear();
    ShippedRow threeOptions = choice("哪个？", "A");
    threeOptions.options[3].clear();
    ShippedRow sameOption = choice("哪个？", "A");
    sameOption.options[2] = sameOption.options[1];
    ShippedRow judgedWithOptions = judgement("是。", "错误");
    judgedWithOptions.options[0] = QStringLiteral("甲");
    ShippedRow unexplained = judgement("是。", "正确");
    unexplained.explanation = QStringLiteral(" ");
    const std::vector<ShippedRow> faulty = {noKind,
                                            threeOptions,
                                            sameOption,
                                            choice("哪个？", "E"),
                                            choice("哪个？", "AB"),
                                            choice("哪个？", "正确"),
                                            choice("哪些？", "B", kMultiple),
                                            choice("哪些？", "AA", kMultiple),
                                            judgement("是。", "A"),
                                            judgedWithOptions,
                                            unexplained};
    for (const ShippedRow& r : faulty)
        EXPECT_NE(rowFault(r), QString()) << r.question.toStdString() << r.answer.toStdString();
}

TEST(ShippedBankForm, TheSetRulesCatchGuessableShares) {
    EXPECT_EQ(setFaults(fairSet()), QStringList());

    std::vector<ShippedRow> alwaysA = fairSet();
    for (ShippedRow& r : alwaysA)
        if (r.kind == kSingle) r.answer = QStringLiteral("A");
    EXPECT_FALSE(setFaults(alwaysA).isEmpty());

    std::vector<ShippedRow> mostlyJudged = fairSet();
    for (int i = 0; i < 8; ++i) mostlyJudged.push_back(judgement(QString::number(i), "正确"));
    EXPECT_FALSE(setFaults(mostlyJudged).isEmpty());

    std::vector<ShippedRow> allTrue = fairSet();
    for (ShippedRow& r : allTrue)
        if (r.kind == kJudge) r.answer = QStringLiteral("正确");
    EXPECT_FALSE(setFaults(allTrue).isEmpty());

    std::vector<ShippedRow> fewJudged = fairSet();
    fewJudged.erase(fewJudged.begin(), fewJudged.begin() + 3);
    EXPECT_FALSE(setFaults(fewJudged).isEmpty());

    std::vector<ShippedRow> repeated = fairSet();
    repeated.push_back(repeated[5]);
    repeated.push_back(choice("九？", "A"));
    repeated.push_back(choice("十？", "C"));
    repeated.push_back(choice("十一？", "D"));
    repeated.push_back(judgement("十二。", "正确"));
    repeated.push_back(judgement("十三。", "错误"));
    EXPECT_EQ(setFaults(repeated), QStringList{QStringLiteral("repeated: 六？")});
}

// The reader finds the columns by their names, wherever they stand.
TEST(ShippedBankForm, ColumnsAreFoundByName) {
    const std::vector<ShippedRow> rows = readBankRows(
        "kind,question,category,answer,option_b,option_a,explanation\n"
        "单选,\"甲，\"\"乙\"\"？\",c,B,右,左,因为\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].question, QStringLiteral("甲，\"乙\"？"));
    EXPECT_EQ(rows[0].options, (QStringList{"左", "右", "", ""}));
    EXPECT_EQ(rows[0].answerText(), QStringLiteral("右"));
    EXPECT_EQ(rows[0].picture, QString());
}
