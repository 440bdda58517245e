// SPDX-License-Identifier: GPL-3.0-or-later
// The display, kept above other windows, gives way to every other window of
// Study while it is open and is above again once the last one closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "editor/questioneditor.h"
#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "study/feedbacknote.h"
#include "study/picturezoom.h"
#include "study/studyapp.h"
#include "tests/support/testenv.h"

namespace {

class StepAsideTest : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = std::make_unique<TestEnv>();
        env_->makeBank(
            {{QStringLiteral("交通安全法律"), QStringLiteral("题目"), QStringLiteral("答案")}});
        env_->makePersonalList({{QString(), QStringLiteral("生词"), QStringLiteral("解释")}});
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages_ << s.text; });
    }
    void TearDown() override {
        EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();
        MessageBox::setHook({});
        app_.reset();
        store_.reset();
        env_.reset();
    }
    void startStudy() {
        store_ = std::make_unique<SettingsStore>();
        app_ = std::make_unique<StudyApp>(*store_, QuestionWindow::SpeechMaker{});
        main().setTerminator([] {});
        app_->start();
        ASSERT_TRUE(main().windowHandle());
    }
    QuestionWindow& main() { return app_->main(); }
    // What the window system is told, not only what the widget holds.
    bool displayAbove() {
        const bool told = main().windowHandle()->flags() & Qt::WindowStaysOnTopHint;
        EXPECT_EQ(told, bool(main().windowFlags() & Qt::WindowStaysOnTopHint));
        return told;
    }
    bool comesBackAbove() {
        return QTest::qWaitFor([&] { return displayAbove(); }, 3000);
    }
    // Runs `inside` while the modal window that `open` starts is up.
    void whileModal(const std::function<void()>& open,
                    const std::function<void(QWidget&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            ran = true;
            inside(*modal);
            modal->close();
        });
        open();
        EXPECT_TRUE(ran) << "no modal window opened";
    }

    std::unique_ptr<TestEnv> env_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<StudyApp> app_;
    QStringList messages_;
};

TEST_F(StepAsideTest, OptionsAboutAndEditorEachHaveTheDisplayBelowThemWhileOpen) {
    startStudy();
    ASSERT_TRUE(displayAbove()) << "first-run settings keep the display above";
    const auto trigger = [&](const char* entry) {
        return [this, entry] { main().findChild<QAction*>(QLatin1String(entry))->trigger(); };
    };
    for (const char* entry : {"mnusetup", "aboutus"}) {
        SCOPED_TRACE(entry);
        whileModal(trigger(entry), [&](QWidget& w) {
            EXPECT_TRUE(w.isVisible());
            EXPECT_FALSE(displayAbove()) << w.objectName().toStdString();
        });
        EXPECT_TRUE(comesBackAbove());
    }

    // A message and the colour dialog over the options dialog: the display
    // stays below until the options dialog closes too.
    whileModal(trigger("mnusetup"), [&](QWidget& options) {
        QWidget box(&options, Qt::Dialog);
        box.show();
        box.hide();
        QApplication::sendPostedEvents();
        QTest::qWait(50);
        EXPECT_FALSE(displayAbove()) << "the options dialog is still open";
    });
    EXPECT_TRUE(comesBackAbove());

    main().findChild<QAction*>(QStringLiteral("managewords"))->trigger();
    ASSERT_NE(app_->editor(), nullptr);
    EXPECT_FALSE(displayAbove());
    app_->editor()->close();
    EXPECT_TRUE(comesBackAbove());
    EXPECT_TRUE(main().isVisible());
}

TEST_F(StepAsideTest, MenusAndNotesLeaveTheDisplayAbove) {
    startStudy();
    main().note()->say(QStringLiteral("已加入"));
    QMenu* menu = main().mnumain();
    menu->popup(main().geometry().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 3000));
    EXPECT_TRUE(displayAbove());
    menu->hide();
}

TEST_F(StepAsideTest, TheZoomedPictureStandsAboveTheDisplayWhichStaysAbove) {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    env_->makeBank({{QStringLiteral("交通安全法律"), QStringLiteral("这是什么标线？"),
                     QStringLiteral("答"), png}});
    startStudy();
    ASSERT_TRUE(displayAbove());
    main().zoomPicture();
    ASSERT_NE(main().zoom(), nullptr);
    ASSERT_TRUE(main().zoom()->isVisible());
    EXPECT_TRUE(main().zoom()->windowFlags() & Qt::WindowStaysOnTopHint);
    QCoreApplication::processEvents();  // a recount it queued runs
    EXPECT_TRUE(displayAbove()) << "the zoom is part of the display";
    main().zoom()->close();
    EXPECT_TRUE(displayAbove());
}

TEST_F(StepAsideTest, ADisplayNotKeptAboveStaysAsItIs) {
    startStudy();
    app_.reset();
    store_->write(QStringLiteral("ontopword"), QStringLiteral("0"));
    startStudy();
    ASSERT_FALSE(displayAbove());
    whileModal([&] { main().showAbout(); }, [&](QWidget&) { EXPECT_FALSE(displayAbove()); });
    QTest::qWait(50);
    EXPECT_FALSE(displayAbove());
}

}  // namespace
