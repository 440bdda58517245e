// SPDX-License-Identifier: GPL-3.0-or-later
// F1, 帮助 and 学车网站 on a desktop with and without a browser: the page is
// handed to the desktop's opener, and when nothing can open it the learner
// is told so on screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "study/documentopener.h"
#include "study/questionwindow.h"
#include "study/studyapp.h"
#include "tests/support/testenv.h"

namespace {

class HelpWithoutBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = std::make_unique<TestEnv>();
        env_->makeBank(
            {{QStringLiteral("交通安全法律"), QStringLiteral("题目"), QStringLiteral("答案")}});
        env_->makePersonalList({});
        writeFile(env_->file(QStringLiteral("help.html")), "<html></html>");
        savedPath_ = qgetenv("PATH");
        // Only what the test puts there: the desktop's opener or nothing.
        qputenv("PATH", QFile::encodeName(bin_.path()));
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages_ << s.text; });
    }
    // After the opener is in place: Study looks for it as it starts.
    void startStudy() {
        store_ = std::make_unique<SettingsStore>();
        app_ = std::make_unique<StudyApp>(*store_, QuestionWindow::SpeechMaker{});
        app_->main().setTerminator([] {});
        app_->start();
    }
    void TearDown() override {
        MessageBox::setHook({});
        app_.reset();
        qputenv("PATH", savedPath_);
    }
    // A stand-in for xdg-open that notes what it was asked to open and
    // answers as xdg-open does: 0 opened, 3 no tool found for it.
    QString fakeOpener(int exitCode) {
        const QString script = bin_.filePath(QStringLiteral("xdg-open"));
        writeFile(script, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit %2\n")
                              .arg(asked(), QString::number(exitCode))
                              .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QString asked() const { return bin_.filePath(QStringLiteral("asked.txt")); }
    QString askedText() const { return QString::fromUtf8(readFile(asked())).trimmed(); }
    QuestionWindow& main() { return app_->main(); }
    void pressF1() { QTest::keyClick(&main(), Qt::Key_F1); }
    void chooseHelp() { main().findChild<QAction*>(QStringLiteral("mnuhelp"))->trigger(); }
    void chooseWebSite() { main().findChild<QAction*>(QStringLiteral("mnuwebsite"))->trigger(); }

    std::unique_ptr<TestEnv> env_;
    QTemporaryDir bin_;
    QByteArray savedPath_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<StudyApp> app_;
    QStringList messages_;
};

TEST_F(HelpWithoutBrowser, OpenerWithoutBrowserIsToldOnScreenWithThePagesPlace) {
    fakeOpener(3);
    startStudy();
    const QString page = env_->file(QStringLiteral("help.html"));
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"F1", [this] { pressF1(); }}, {"帮助", [this] { chooseHelp(); }}};
    for (const auto& [how, act] : ways) {
        SCOPED_TRACE(how);
        messages_.clear();
        act();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.isEmpty(); }, 10000))
            << "no message when the opener finds no browser";
        ASSERT_EQ(messages_.size(), 1);
        EXPECT_TRUE(messages_[0].contains(QStringLiteral("浏览器"))) << messages_[0].toStdString();
        EXPECT_TRUE(messages_[0].contains(page)) << "the learner can open it another way";
    }
    EXPECT_EQ(askedText(), page + QLatin1Char('\n') + page);

    messages_.clear();
    chooseWebSite();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.isEmpty(); }, 10000));
    EXPECT_TRUE(messages_[0].contains(QLatin1String(QuestionWindow::webSite())));
}

TEST_F(HelpWithoutBrowser, OpenerThatOpensItSaysNothing) {
    fakeOpener(0);
    startStudy();
    pressF1();
    chooseWebSite();
    ASSERT_TRUE(QTest::qWaitFor([&] { return askedText().count(QLatin1Char('\n')) == 1; }, 10000));
    // Both have ended; a message would have come by then.
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().findChildren<QProcess*>().isEmpty(); }, 10000));
    // Both openers run at once; either may note its page first.
    QStringList asked = askedText().split(QLatin1Char('\n'));
    asked.sort();
    EXPECT_EQ(asked, QStringList({env_->file(QStringLiteral("help.html")),
                                  QString::fromLatin1(QuestionWindow::webSite())}));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();
}

TEST_F(HelpWithoutBrowser, NoOpenerAtAllIsToldToo) {
    // No xdg-open on PATH: the platform's own services have nothing to use.
    startStudy();
    chooseHelp();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("浏览器")));
}

TEST_F(HelpWithoutBrowser, MissingHelpPageIsNamed) {
    fakeOpener(2);  // xdg-open's answer for a file that is not there
    startStudy();
    QFile::remove(env_->file(QStringLiteral("help.html")));
    pressF1();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.isEmpty(); }, 10000));
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("找不到要打开的文件")));
    EXPECT_TRUE(messages_[0].contains(env_->file(QStringLiteral("help.html"))));
}

}  // namespace
