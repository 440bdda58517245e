// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/widgets/messagebox.h"

TEST(MessageBox, HookRecordsTextIconAndTitle) {
    std::vector<MessageBox::Shown> seen;
    MessageBox::setHook([&](const MessageBox::Shown& s) { seen.push_back(s); });
    MessageBox::show(nullptr, MessageBox::Icon::Critical, QStringLiteral("Duplicate record !"));
    MessageBox::setHook({});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Duplicate record !");
    EXPECT_EQ(seen[0].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(seen[0].title, "Study");
}

TEST(MessageBox, ColourHookAnswersTheDialog) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(1, 2, 3)); });
    EXPECT_EQ(MessageBox::chooseColour(nullptr), QColor(1, 2, 3));
    MessageBox::setColourHook([] { return std::optional<QColor>(); });
    EXPECT_FALSE(MessageBox::chooseColour(nullptr).has_value());
    MessageBox::setColourHook({});
}

namespace {
// Shows a real box for `owner` and gives the frame it opened with.
QRect shownBoxGeometry(QWidget* owner) {
    QObject guard;
    QRect seen;
    QTimer::singleShot(0, &guard, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = box->frameGeometry();
        box->accept();
    });
    QTimer::singleShot(10000, &guard, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    MessageBox::show(owner, MessageBox::Icon::Warning, QStringLiteral("无法打开题库"));
    return seen;
}
}  // namespace

TEST(MessageBox, OwnerNotYetShownGivesABoxInTheMiddleOfTheScreen) {
    QWidget owner;  // like the main window when the bank fails during start-up
    owner.setGeometry(0, 0, 200, 100);
    const QRect box = shownBoxGeometry(&owner);
    ASSERT_TRUE(box.isValid()) << "no modal box appeared";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Within the frame's margins: the box is centred by its client area.
    EXPECT_LE((box.center() - screen.center()).manhattanLength(), 10)
        << box.center().x() << "," << box.center().y();
}

TEST(MessageBox, ShownOwnerKeepsItsBoxOverIt) {
    QWidget owner;
    owner.setGeometry(0, 0, 320, 260);  // away from the middle of the screen
    owner.show();
    const QRect box = shownBoxGeometry(&owner);
    ASSERT_TRUE(box.isValid()) << "no modal box appeared";
    EXPECT_TRUE(owner.frameGeometry().contains(box.center()));
}

TEST(MessageBox, QuestionIsRecordedAndAnswered) {
    std::vector<MessageBox::Shown> seen;
    MessageBox::setHook([&](const MessageBox::Shown& s) { seen.push_back(s); });
    EXPECT_TRUE(MessageBox::ask(nullptr, QStringLiteral("删除吗？"))) << "Yes when no answer hook is set";
    MessageBox::setAnswerHook([](const MessageBox::Shown& s) { return s.text != QStringLiteral("删除吗？"); });
    EXPECT_FALSE(MessageBox::ask(nullptr, QStringLiteral("删除吗？")));
    MessageBox::setAnswerHook({});
    MessageBox::setHook({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "删除吗？");
}

TEST(MessageBox, RealQuestionHasChineseButtonsAndNoAsDefault) {
    QObject guard;
    QStringList captions;
    bool defaultIsNo = false;
    QTimer::singleShot(0, &guard, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons()) captions << b->text();
        defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(MessageBox::ask(nullptr, QStringLiteral("删除吗？")));
    captions.sort();
    EXPECT_EQ(captions, QStringList({"否(&N)", "是(&Y)"}));
    EXPECT_TRUE(defaultIsNo) << "Enter must not delete";
}
