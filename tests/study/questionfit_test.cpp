// SPDX-License-Identifier: GPL-3.0-or-later
// Shortening a display text the screen cannot show whole, with a stand-in
// measure: a text fits when it has at most so many UTF-16 units.
#include <gtest/gtest.h>

#include "study/questionfit.h"

namespace {
QString compose(const QString& question, const QString& answer) {
    return question + QStringLiteral("|") + answer;
}

QString shorten(const QString& question, const QString& answer, qsizetype room, int* tries) {
    return QuestionFit::shorten(question, answer, compose, [=](const QString& text) {
        ++*tries;
        return text.size() <= room;
    });
}
const QString kEllipsis(QuestionFit::kEllipsis);
}  // namespace

TEST(QuestionFit, ATextThatFitsIsLeftWhole) {
    int tries = 0;
    EXPECT_EQ(shorten("问题", "答案", 5, &tries), "问题|答案");
    EXPECT_EQ(tries, 1);
}

TEST(QuestionFit, TheQuestionGivesWayToTheAnswer) {
    const QString question = QString(5000, QChar(0x95EE));
    for (qsizetype room : {6, 7, 100, 4999}) {
        SCOPED_TRACE(room);
        int tries = 0;
        const QString text = shorten(question, "答案", room, &tries);
        EXPECT_EQ(text.size(), room) << "as much of the question as fits";
        EXPECT_EQ(text, question.left(room - 4) + kEllipsis + "|答案");
        EXPECT_LE(tries, 16) << "found by halving, not character by character";
    }
}

TEST(QuestionFit, ACharacterBeyondTheBasicPlaneIsNeverSplit) {
    // U+20000, a CJK ideograph outside the basic plane, is two UTF-16 units.
    const QString wide = QString::fromUcs4(U"\U00020000");
    const QString question = "甲" + wide + wide + "乙";
    int tries = 0;
    const QString text = shorten(question, "答", 5, &tries);
    EXPECT_EQ(text, "甲" + kEllipsis + "|答") << "one unit short of the pair: it goes whole";
    tries = 0;
    EXPECT_EQ(shorten(question, "答", 6, &tries), "甲" + wide + kEllipsis + "|答");
}

TEST(QuestionFit, AnAnswerTooLongForTheScreenShowsItsStart) {
    const QString answer = QString(300, QChar(0x7B54));
    int tries = 0;
    const QString text = shorten("问题", answer, 50, &tries);
    EXPECT_EQ(text, kEllipsis + "|" + answer.left(47) + kEllipsis);
}
