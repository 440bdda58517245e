// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QWheelEvent>

#include "tests/editor/editorfixture.h"

// Whatever the boxes show is what Save writes and Delete removes; typed text
// is never dropped without a word.

namespace {

void wheel(QWidget* w, int steps) {
    const QPointF at = QRectF(w->rect()).center();
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120 * steps), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(EditorShownRecord, SaveAfterPrevOnTheFirstOrNextOnTheLastChangesTheRecordShown) {
    EditorFixture f;
    f.env.makePersonalList({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}});
    ASSERT_TRUE(f.open(EditorVariant::study()));
    f.click("cmdPrev");
    ASSERT_EQ(f.text1()->text(), "a");
    f.type(f.text2(), "one");
    f.click("cmdSave");
    EXPECT_TRUE(f.messages.empty());
    EXPECT_TRUE(f.form->adding()) << "a save leaves the form ready for the next question";
    f.clickRow(0);
    f.click("cmdGLast");
    f.click("cmdNext");
    ASSERT_EQ(f.text1()->text(), "c");
    f.type(f.text1(), "c changed");
    f.click("cmdSave");
    EXPECT_EQ(f.listEntries(), QStringList({"a", "b", "c changed"}));
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"a|one", "b|2", "c changed|3"}));
}

TEST(EditorShownRecord, DeleteAfterNextOnTheLastRemovesTheRecordShown) {
    EditorFixture f;
    f.env.makePersonalList({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}});
    ASSERT_TRUE(f.open(EditorVariant::study()));
    f.click("cmdGLast");
    f.click("cmdNext");
    f.click("cmdDelete");
    EXPECT_EQ(f.listEntries(), QStringList({"a", "b"}));
    EXPECT_EQ(f.rows("word.ocx"), QStringList({"a|1", "b|2"}));
}

TEST(EditorShownRecord, DeleteWhileAddingDoesNothing) {
    for (const EditorVariant* v : {&EditorVariant::study(), &EditorVariant::manager()}) {
        EditorFixture f;
        if (v->hasCategory())
            f.env.makeBank(
                {{"交通信号", "a", "1"}, {"交通信号", "b", "2"}, {"交通信号", "c", "3"}});
        else
            f.env.makePersonalList({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}});
        ASSERT_TRUE(f.open(*v));
        if (auto* combo = f.form->findChild<QComboBox*>("Combo1")) {
            combo->setCurrentIndex(combo->findText("交通信号"));
            emit combo->activated(combo->currentIndex());
        }
        f.clickRow(1);
        f.click("CmdAdd");
        ASSERT_TRUE(f.form->adding());
        ASSERT_TRUE(f.enabled("cmdDelete"));
        f.click("cmdDelete");
        EXPECT_TRUE(f.messages.empty()) << v->caption.toStdString();
        EXPECT_EQ(f.listEntries(), QStringList({"a", "b", "c"})) << v->caption.toStdString();
        EXPECT_TRUE(f.form->adding());
        EXPECT_EQ(f.rows(v->databaseFile).size(), 3) << v->caption.toStdString();
    }
}

TEST(EditorShownRecord, TheWheelOverTheUnfocusedDropDownKeepsCategoryAndText) {
    EditorFixture f;
    f.env.makeBank(
        {{"交通信号", "信号", "1"}, {"文明驾驶", "文明", "2"}, {"交通安全法律", "法律", "3"}});
    ASSERT_TRUE(f.open(EditorVariant::manager()));
    f.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
    auto* combo = f.w<QComboBox>("Combo1");
    combo->setCurrentIndex(combo->findText("交通信号"));
    emit combo->activated(combo->currentIndex());
    f.type(f.text1(), "正在输入的题目");
    ASSERT_TRUE(f.text1()->hasFocus());
    wheel(combo, 1);
    wheel(combo, -1);
    wheel(combo, -1);
    EXPECT_EQ(combo->currentText(), "交通信号");
    EXPECT_EQ(f.text1()->text(), "正在输入的题目");
    EXPECT_EQ(f.listEntries(), QStringList({"信号"}));
    // With the focus the wheel chooses, as it always did.
    combo->setFocus();
    ASSERT_TRUE(combo->hasFocus());
    wheel(combo, -1);
    EXPECT_EQ(combo->currentText(), "交通安全法律");
    EXPECT_EQ(f.listEntries(), QStringList({"法律"}));
}

TEST(EditorShownRecord, LongTextsShowFromTheirStart) {
    const QString question =
        "当机动车在高速公路上发生故障需要停车排除时，" + QString(80, QChar(u'长')) + "应该怎么做？";
    const QString answer =
        "开启危险报警闪光灯，" + QString(80, QChar(u'答')) + "并在来车方向设置警告标志。";
    for (const EditorVariant* v : {&EditorVariant::study(), &EditorVariant::manager()}) {
        EditorFixture f;
        if (v->hasCategory())
            f.env.makeBank({{"临危处置", "a", "1"}, {"临危处置", question, answer}});
        else
            f.env.makePersonalList({{"", question, answer}, {"", "z", "1"}});
        ASSERT_TRUE(f.open(*v));
        if (auto* combo = f.form->findChild<QComboBox*>("Combo1")) {
            combo->setCurrentIndex(combo->findText("临危处置"));
            emit combo->activated(combo->currentIndex());
        }
        const int row = f.listEntries().indexOf(question);
        ASSERT_GE(row, 0);
        const std::vector<std::function<void()>> ways = {
            [&] { f.clickRow(row); },
            [&] { f.click(row == 0 ? "cmdGFirst" : "cmdGLast"); },
            [&] { f.click(row == 0 ? "cmdPrev" : "cmdNext"); },
        };
        for (const auto& show : ways) {
            f.clickRow(1 - row);
            show();
            ASSERT_EQ(f.text1()->text(), question);
            EXPECT_EQ(f.text1()->cursorPosition(), 0) << v->caption.toStdString();
            EXPECT_EQ(f.text2()->cursorPosition(), 0) << v->caption.toStdString();
            // The first character is painted at the left edge of the box.
            EXPECT_LT(f.text1()->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 10)
                << v->caption.toStdString();
        }
    }
}
