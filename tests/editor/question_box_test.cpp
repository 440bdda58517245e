// SPDX-License-Identifier: GPL-3.0-or-later
// Manager's question box holds several lines: a long question wraps and, in
// a larger window, shows on several lines; Enter starts a line, Tab leaves
// the box; a question read from the bank is saved back exactly as it was,
// typed line breaks are saved as "\n".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "tests/editor/editorfixture.h"

namespace {

const QString kLong = QStringLiteral(
    "驾驶机动车在高速公路上发生故障时，应当立即开启危险报警闪光灯，将车辆移至不妨碍交通的地方"
    "停放，难以移动的，应当持续开启危险报警闪光灯，并在来车方向150米以外设置警告标志，车上"
    "人员应当迅速转移到右侧路肩上或者应急车道内，并且迅速报警。");

struct ManagerBox : EditorFixture {
    explicit ManagerBox(const QString& question = kLong) {
        env.makeBank({{"临危处置", question, "对"}, {"临危处置", "另一题", "错"}});
        EXPECT_TRUE(open(EditorVariant::manager()));
        auto* combo = w<QComboBox>("Combo1");
        combo->setCurrentIndex(combo->findText("临危处置"));
        emit combo->activated(combo->currentIndex());
        // The list shows a question of several lines on one row: the
        // question's row is the one that is not the other question's.
        clickRow(listEntries().indexOf("另一题") == 0 ? 1 : 0);
    }
    QuestionBox* box() const { return w<QuestionBox>("text1"); }
    // Lines of the laid-out question, and the whole lines the box shows.
    int laidOutLines() const {
        int n = 0;
        for (QTextBlock b = box()->document()->begin(); b.isValid(); b = b.next())
            n += b.layout()->lineCount();
        return n;
    }
    int visibleLines() const {
        const int room = box()->viewport()->height() - 2 * int(box()->document()->documentMargin());
        return room / box()->fontMetrics().lineSpacing();
    }
    QString stored(const QString& answer) {
        return rows("reg.ocx", "select English from Word where Chinese='" + answer + "'").value(0);
    }
};

}  // namespace

TEST(QuestionBox, ALongQuestionWrapsAndShowsOnSeveralLinesInALargerWindow) {
    ManagerBox f;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.form.get()));
    ASSERT_EQ(f.text1()->text(), kLong);
    EXPECT_GE(f.laidOutLines(), 4) << "wrapped at the box's edge, not cut";
    EXPECT_EQ(f.box()->horizontalScrollBar()->maximum(), 0) << "nothing runs off to the side";
    EXPECT_GE(f.visibleLines(), 3) << "several lines already at the documented size";
    EXPECT_EQ(f.box()->verticalScrollBar()->value(), 0) << "shown from its first line";

    f.form->resize(EditorVariant::manager().frame + QSize(300, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.box()->height() > 100; }));
    EXPECT_GE(f.visibleLines(), 4);
    EXPECT_GE(f.visibleLines(), f.laidOutLines()) << "the whole question in view";
    EXPECT_EQ(f.box()->horizontalScrollBar()->maximum(), 0) << "grown, nothing runs off either";
    EXPECT_EQ(f.text1()->text(), kLong);
}

TEST(QuestionBox, EnterStartsALineAndTabLeavesTheBox) {
    ManagerBox f;
    f.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
    f.type(f.text1(), "第一行");
    QTest::keyClick(f.box(), Qt::Key_Return);
    f.box()->insert("第二行");
    EXPECT_EQ(f.text1()->text(), "第一行\n第二行");
    QTest::keyClick(f.box(), Qt::Key_Tab);
    EXPECT_FALSE(f.box()->hasFocus()) << "Tab moves on";
    EXPECT_EQ(f.text1()->text(), "第一行\n第二行") << "and types no tab";
    f.click("cmdSave");
    ASSERT_TRUE(f.messages.empty());
    EXPECT_EQ(f.stored("对"), "第一行\n第二行");
}

TEST(QuestionBox, AQuestionOnlyShownIsSavedBackExactly) {
    // Carriage returns, a no-break space and a line separator: the text box's
    // own document would turn each into something else.
    const QString odd = QStringLiteral("甲\r\n乙\u00a0丙\u2028丁");
    ManagerBox f(odd);
    ASSERT_EQ(f.text1()->text(), odd);
    f.w<QLineEdit>("text2")->setText("对了");
    f.click("cmdSave");
    ASSERT_TRUE(f.messages.empty());
    EXPECT_EQ(f.stored("对了"), odd);
}
