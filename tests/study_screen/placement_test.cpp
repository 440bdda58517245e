// SPDX-License-Identifier: GPL-3.0-or-later
// Where the options dialog and the question editor open: beside the main
// window, which they must not cover while the screen has room.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/categories.h"
#include "study/optionsdialog.h"
#include "study/studyapp.h"
#include "tests/support/testenv.h"

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override {
        env_.makeBank(
            {{Categories::names().value(0), QStringLiteral("问题"), QStringLiteral("答案")}});
        env_.makePersonalList({{QString(), QStringLiteral("生词"), QStringLiteral("解释")}});
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages_ << s.text; });
        store_ = std::make_unique<SettingsStore>();
        app_ = std::make_unique<StudyApp>(*store_, QuestionWindow::SpeechMaker{});
        app_->main().setTerminator([] {});
        app_->start();
    }
    void TearDown() override {
        EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();
        app_.reset();
        store_.reset();
        MessageBox::setHook({});
    }

    QuestionWindow& main() { return app_->main(); }
    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // The options dialog's frame as it opens from the menu with the main
    // window at `where`.
    QRect optionsAt(QPoint where) {
        main().move(where);
        QObject guard;
        QRect seen;
        QTimer::singleShot(0, &guard, [&] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = dialog->frameGeometry();
            dialog->close();
        });
        QTimer::singleShot(20000, &guard, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        main().findChild<QAction*>(QStringLiteral("mnusetup"))->trigger();
        return seen;
    }

    TestEnv env_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<StudyApp> app_;
    QStringList messages_;
};

}  // namespace

TEST_F(Placement, OptionsDialogOpensBesideTheMainWindow) {
    const QRect screen = available();
    ASSERT_EQ(screen, QRect(0, 0, 1024, 768));
    const QSize size = main().frameGeometry().size();
    // Centred as at start-up, then near each edge.
    const QPoint places[] = {
        screen.center() - QPoint(size.width() / 2, size.height() / 2),
        {screen.right() - size.width(), 300},
        {0, 0},
        {300, screen.bottom() - size.height()},
    };
    for (const QPoint& where : places) {
        SCOPED_TRACE(testing::Message() << "main window at " << where.x() << "," << where.y());
        const QRect dialog = optionsAt(where);
        ASSERT_TRUE(dialog.isValid()) << "the menu entry opened no options dialog";
        EXPECT_FALSE(dialog.intersects(main().frameGeometry()));
        EXPECT_TRUE(screen.contains(dialog));
    }
}

TEST_F(Placement, OptionsDialogStillOpensWhenThereIsNoRoom) {
    // A main window as large as the screen leaves no room: the dialog opens
    // all the same, on the screen.
    main().setFixedSize(1000, 740);
    const QRect dialog = optionsAt(QPoint(10, 10));
    ASSERT_TRUE(dialog.isValid());
    EXPECT_TRUE(available().intersects(dialog));
}

TEST_F(Placement, EditorOpensBesideTheMainWindow) {
    const QRect screen = available();
    main().move(screen.center() - main().rect().center());
    main().findChild<QAction*>(QStringLiteral("managewords"))->trigger();
    QuestionEditor* editor = app_->editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    const QRect r = editor->frameGeometry();
    EXPECT_FALSE(r.intersects(main().frameGeometry()))
        << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    EXPECT_TRUE(screen.contains(r));
    editor->close();
}
