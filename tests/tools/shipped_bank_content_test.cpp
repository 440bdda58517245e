// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <vector>

#include "shippedbankrows.h"

// What the shipped questions say, where a wrong or repeated answer has slipped
// in before. A row's answer here is what its right answer says, whatever the
// form of the question.
namespace {

struct Row {
    QString question, answer, picture;
};

std::vector<Row> shippedRows() {
    std::vector<Row> rows;
    for (const ShippedRow& r : shippedBankRows())
        rows.push_back({r.question, r.answerText(), r.picture});
    return rows;
}

int editDistance(const QString& a, const QString& b) {
    std::vector<int> prev(b.size() + 1), cur(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j) prev[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        cur[0] = i;
        for (int j = 1; j <= b.size(); ++j)
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (a[i - 1] != b[j - 1])});
        std::swap(prev, cur);
    }
    return prev[b.size()];
}

// Share of the longer text that has to change to turn one into the other.
double distance(const QString& a, const QString& b) {
    return double(editDistance(a, b)) / std::max<qsizetype>({a.size(), b.size(), 1});
}

// A picture answer often opens with the name of what is shown ("停止线：…");
// without it and the punctuation the two answers can be compared as words.
QString answerWords(const QString& answer) {
    static const QRegularExpression label(QStringLiteral("^[^：]{1,8}：")),
        punctuation(QStringLiteral("[，。；、：（）]"));
    QString s = answer;
    return s.remove(label).remove(punctuation);
}

// A picture question asks what a text question already asks when its answer
// says the same words as the text one's (one holds the other, and that is
// more than a bare figure) and the two question texts are close.
bool asksTheSame(const Row& picture, const Row& text) {
    const QString a = answerWords(picture.answer), b = answerWords(text.answer);
    const QString& shorter = a.size() <= b.size() ? a : b;
    const QString& longer = a.size() <= b.size() ? b : a;
    return shorter.size() >= 8 && longer.contains(shorter) &&
           distance(picture.question, text.question) <= 0.65;
}

const Row* rowWithPicture(const std::vector<Row>& rows, const QString& file) {
    for (const Row& r : rows)
        if (r.picture == QLatin1String("bank-pictures/") + file) return &r;
    return nullptr;
}

}  // namespace

TEST(ShippedBankContent, NoPictureQuestionRepeatsATextQuestion) {
    const std::vector<Row> rows = shippedRows();
    ASSERT_GT(rows.size(), 300u);
    for (const Row& p : rows) {
        if (p.picture.isEmpty()) continue;
        for (const Row& t : rows)
            if (t.picture.isEmpty())
                EXPECT_FALSE(asksTheSame(p, t))
                    << p.question.toStdString() << " / " << t.question.toStdString();
    }
}

TEST(ShippedBankContent, TheRepeatRuleTellsRepeatsFromNeighbours) {
    const Row grid{"路口中心施划的这种黄色网格标线表示什么？", "网状线：禁止以任何原因在此停车",
                   "x"};
    EXPECT_TRUE(asksTheSame(grid, {"路口内的黄色网状线表示什么？", "禁止以任何原因在此停车", ""}));
    EXPECT_FALSE(asksTheSame(grid, {"路口内的黄色网状线表示什么？", "禁止停车", ""}));
    EXPECT_FALSE(
        asksTheSame(grid, {"停在路口内等候时应当注意什么？", "禁止以任何原因在此停车", ""}));
    const Row speed{"驶入设有这个标志的路段后，车速不得超过多少？", "每小时40公里", "x"};
    EXPECT_FALSE(asksTheSame(speed, {"驶入这个路段后车速不得超过多少？", "每小时40公里", ""}));
}

// Both places that say how to enter a tunnel name both lamps, not one lamp
// with the other in brackets as if it were another name for it.
TEST(ShippedBankContent, TunnelAnswersSwitchOnDippedBeamAndSideLamps) {
    int tunnelRows = 0;
    for (const Row& r : shippedRows()) {
        if (!(r.question + r.answer).contains(QStringLiteral("隧道")) ||
            !r.answer.contains(QStringLiteral("近光灯")))
            continue;
        ++tunnelRows;
        EXPECT_TRUE(r.answer.contains(QStringLiteral("开启近光灯和示廓灯")))
            << r.answer.toStdString();
        EXPECT_FALSE(r.answer.contains(QStringLiteral("（示廓灯）"))) << r.answer.toStdString();
    }
    EXPECT_EQ(tunnelRows, 2);
}

// Where a no-left-turn sign stands, turning round is forbidden too
// (Road Traffic Safety Law implementing regulations, art. 49).
TEST(ShippedBankContent, NoLeftTurnSignAlsoForbidsTurningRound) {
    const Row* r = rowWithPicture(shippedRows(), QStringLiteral("sign-no-left-turn.svg"));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->answer.contains(QStringLiteral("向左转弯"))) << r->answer.toStdString();
    EXPECT_TRUE(r->answer.contains(QStringLiteral("掉头"))) << r->answer.toStdString();
}

// The picture shows two lanes, each with its own arrow.
TEST(ShippedBankContent, ArrowMarkingQuestionSaysWhichLane) {
    const Row* r =
        rowWithPicture(shippedRows(), QStringLiteral("marking-arrow-straight-right.svg"));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->question.contains(QStringLiteral("右侧车道"))) << r->question.toStdString();
}

// The C1 row of the licence-class table (Ministry of Public Security order
// No. 162, in force since 2022-04-01), word for word, and the classes it
// includes.
TEST(ShippedBankContent, C1AnswerQuotesTheLicenceClassTable) {
    int found = 0;
    for (const Row& r : shippedRows()) {
        if (!r.question.contains(QStringLiteral("C1准驾车型"))) continue;
        ++found;
        EXPECT_TRUE(r.answer.startsWith(
            QStringLiteral("小型、微型载客汽车以及轻型、微型载货汽车；轻、小、微型专项作业车")))
            << r.answer.toStdString();
        EXPECT_TRUE(r.answer.contains(QStringLiteral("C2、C3、C4"))) << r.answer.toStdString();
    }
    EXPECT_EQ(found, 1);
}
