// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout at large font sizes on a 1024x768 screen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>

#include "platform/widgets/twips.h"
#include "tests/study/studyfixture.h"

namespace {

// Questions of the lengths the bank holds: one line, a few lines, the longest.
const QString kShort = QStringLiteral("驾驶机动车在道路上违反道路交通安全法的行为，属于什么行为？");
const QString kLong = QStringLiteral(
    "机动车在高速公路上发生故障时，应当依照规定开启危险报警闪光灯，并在来车方向一百五十米以外设置"
    "警告标志，车上人员应当迅速转移到右侧路肩上或者应急车道内，并且迅速报警。如果在夜间或者遇雨、"
    "雪、雾等低能见度气象条件时，还应当同时开启示廓灯和后位灯，驾驶人应当怎样做才是正确的？");
const QString kAnswer = QStringLiteral("正确");

struct Shape {
    QSize label;
    QRect frame;
};

Shape shapeAt(const QString& question, int points) {
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通安全法律"), question, kAnswer}});
    const QByteArray size = QByteArray::number(points);
    f.settings({{"FontSizeNumber", size.constData()}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    return {w.LB()->size(), w.frameGeometry()};
}

double aspect(QSize s) {
    return double(s.width()) / s.height();
}

}  // namespace

TEST(AdjustSizeOnScreen, ScreenIsTheSmallOne) {
    StudyFixture f;
    QuestionWindow& w = f.start();
    ASSERT_EQ(w.screen()->geometry(), QRect(0, 0, 1024, 768));
}

TEST(AdjustSizeOnScreen, LargeFontsKeepTheShapeOfTwelvePoints) {
    for (const QString& question : {kShort, kLong}) {
        const Shape at12 = shapeAt(question, 12);
        for (int points : {18, 24}) {
            SCOPED_TRACE(points);
            SCOPED_TRACE(question.left(8).toStdString());
            const Shape big = shapeAt(question, points);
            const double scale = points / 12.0;
            // The label grows with the font in both directions, within what
            // rounding and line breaks at other places allow.
            EXPECT_NEAR(aspect(big.label), aspect(at12.label), 0.25 * aspect(at12.label))
                << "12 pt " << at12.label.width() << "x" << at12.label.height() << ", " << points
                << " pt " << big.label.width() << "x" << big.label.height();
            EXPECT_NEAR(big.label.width(), scale * at12.label.width(),
                        0.2 * scale * at12.label.width());
            EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(big.frame))
                << big.frame.x() << "," << big.frame.y() << " " << big.frame.width() << "x"
                << big.frame.height();
        }
    }
}

TEST(AdjustSizeOnScreen, WindowThatWouldEndBelowTheScreenMovesUp) {
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通安全法律"), kShort, kAnswer},
                    {QStringLiteral("交通安全法律"), kLong, kAnswer}});
    f.settings({{"FontSizeNumber", "24"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    // Parked low while the short question shows; the long one grows it.
    if (!w.LB()->text().startsWith(kShort.left(10))) w.cycle().onStepTimer();
    ASSERT_TRUE(w.LB()->text().startsWith(kShort.left(10)));
    w.move(200, 768 - w.frameGeometry().height() - 10);
    const int left = w.x();
    w.cycle().onStepTimer();
    ASSERT_TRUE(w.LB()->text().startsWith(kLong.left(10)));
    EXPECT_EQ(w.frameGeometry().bottom(), 767);
    EXPECT_EQ(w.x(), left) << "only the top moves";
    EXPECT_GE(w.y(), 0);
    // A window in the middle of the screen stays where it is.
    w.move(100, 50);
    w.fitToText();
    EXPECT_EQ(w.pos(), QPoint(100, 50));
}

namespace {
// The window shows all of what its label holds, and fits the available area.
void expectWholeOnScreen(QuestionWindow& w) {
    const QRect available = w.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(w.frameGeometry()))
        << w.x() << "," << w.y() << " " << w.width() << "x" << w.height();
    EXPECT_EQ(w.LB()->heightForWidth(w.LB()->width()), w.LB()->height())
        << "the label is as tall as its text";
    EXPECT_LE(w.LB()->geometry().bottom(), w.height()) << "the label ends inside the window";
}
}  // namespace

TEST(AdjustSizeOnScreen, AQuestionTooLongForTheScreenGivesWayToTheAnswer) {
    const QString huge = QString(kLong).repeated(40).left(5000);
    const QString answer = QStringLiteral("应当立即停车，开启危险报警闪光灯");
    for (int points : {12, 24}) {
        SCOPED_TRACE(points);
        StudyFixture f;
        f.env.makeBank({{QStringLiteral("交通安全法律"), huge, answer}});
        f.settings({{"FontSizeNumber", QByteArray::number(points).constData()}, {"voice", "0"}});
        QuestionWindow& w = f.start();
        const QString text = w.LB()->text();
        EXPECT_TRUE(text.startsWith(huge.left(100))) << "the question starts as it does";
        EXPECT_TRUE(text.endsWith(QStringLiteral("…  (后面为答案）  ") + answer))
            << "the marker and the whole answer stay: " << text.right(40).toStdString();
        EXPECT_LT(text.size(), QuestionWindow::displayText(huge, answer).size());
        expectWholeOnScreen(w);
        EXPECT_GT(w.frameGeometry().height(), 768 * 3 / 4) << "as much as the screen shows";
    }
}

TEST(AdjustSizeOnScreen, AfterATooLongQuestionLaterRecordsArePlacedAsBefore) {
    // Numbered, so the display shows them in this order.
    const QString shortOne = QStringLiteral("1 ") + kShort;
    const QString huge = QStringLiteral("2 ") + QString(kLong).repeated(40).left(5000);
    const QString longOne = QStringLiteral("3 ") + kLong;
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通安全法律"), shortOne, kAnswer},
                    {QStringLiteral("交通安全法律"), huge, kAnswer},
                    {QStringLiteral("交通安全法律"), longOne, kAnswer}});
    f.settings({{"voice", "0"}});
    QuestionWindow& w = f.start();
    ASSERT_EQ(f.shownQuestion(), shortOne);
    w.move(200, 400);
    w.fitToText();
    const QRect shortFrame = w.frameGeometry();
    w.cycle().onStepTimer();
    ASSERT_TRUE(f.shownQuestion().startsWith(huge.left(10)));
    expectWholeOnScreen(w);
    EXPECT_LT(w.y(), 400) << "lifted to show what it can";
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), longOne) << "a question that fits is shown whole";
    EXPECT_EQ(w.pos(), QPoint(200, 400)) << "back where the learner left it";
    w.cycle().onStepTimer();
    EXPECT_EQ(w.frameGeometry(), shortFrame) << "the same place and size as the first time";
    // Moved while lifted, it stays where it was put.
    w.cycle().onStepTimer();
    w.move(300, 20);
    w.cycle().onStepTimer();
    w.cycle().onStepTimer();
    EXPECT_EQ(w.pos(), QPoint(300, 20));
}

TEST(AdjustSizeOnScreen, AShortenedTextIsLaidOutWholeAgainAtASmallerFont) {
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通安全法律"), kLong.repeated(3), kAnswer}});
    f.settings({{"FontSizeNumber", "55"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    w.move(30, 200);
    w.fitToText();
    EXPECT_NE(w.LB()->text(), QuestionWindow::displayText(kLong.repeated(3), kAnswer));
    expectWholeOnScreen(w);
    EXPECT_EQ(w.frameGeometry().bottom(), 767) << "lifted to end on the screen";
    EXPECT_LE(w.frameGeometry().right(), 1023) << "never wider than the screen";
    // The options dialog sets a smaller font and asks for the layout again.
    QFont font = w.LB()->font();
    font.setPointSize(12);
    w.LB()->setFont(font);
    w.fitToText();
    EXPECT_EQ(w.LB()->text(), QuestionWindow::displayText(kLong.repeated(3), kAnswer));
    expectWholeOnScreen(w);
    EXPECT_EQ(w.y(), 200) << "back where it stood";
}
