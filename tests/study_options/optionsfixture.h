// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the options dialog's tests share: a Study with a bank of one
// question per category, the dialog opened from the main window's menu
// entry, and helpers that drive its controls as a user would.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <utility>

#include "platform/olecolour.h"
#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "platform/widgets/twips.h"
#include "questionbank/categories.h"
#include "questionbank/queries.h"
#include "study/optionsdialog.h"
#include "study/studyapp.h"
#include "study/studysettings.h"
#include "tests/support/testenv.h"

template <class T>
T* child(QWidget& parent, const QString& name) {
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

// Presses one of the spinner's arrows where the style draws it.
inline void clickArrow(QScrollBar* bar, bool upper) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.state |= QStyle::State_Enabled;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    const QRect r = bar->style()->subControlRect(
        QStyle::CC_ScrollBar, &opt,
        upper ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, bar);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

inline void wheel(QScrollBar* bar, int angle) {
    const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
    QWheelEvent e(at, bar->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &e);
}
inline void wheelUp(QScrollBar* bar) {
    wheel(bar, 120);
}
inline void wheelDown(QScrollBar* bar) {
    wheel(bar, -120);
}

// Replaces what a box holds with typed text.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline void clickOption(QRadioButton* option) {
    // On the caption: the button's far right is not part of it.
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = std::make_unique<TestEnv>();
        const QStringList names = Categories::names();
        std::vector<BankSchema::Question> bank;
        for (int i = 0; i < names.size(); ++i)
            bank.push_back(
                {names[i], QStringLiteral("题目%1").arg(i), QStringLiteral("答案%1").arg(i)});
        env_->makeBank(bank);
        env_->makePersonalList({{QString(), QStringLiteral("生词"), QStringLiteral("解释")}});
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages_ << s.text; });
        store_ = std::make_unique<SettingsStore>();
        app_ = std::make_unique<StudyApp>(*store_, QuestionWindow::SpeechMaker{});
        main().setTerminator([] {});
        app_->start();
    }

    void TearDown() override {
        EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();
        MessageBox::setColourHook({});
        MessageBox::setHook({});
        app_.reset();
        store_.reset();
        env_.reset();
    }

    QuestionWindow& main() { return app_->main(); }
    QLabel* label() { return child<QLabel>(main(), QStringLiteral("LB")); }
    int openDialogs() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<OptionsDialog*>(w)) ++n;
        return n;
    }

    // Chooses "选项(&O)..." and runs `user` while the dialog is modal. The
    // dialog is closed through its close box afterwards unless `user` has
    // ended it some other way.
    void withDialog(const std::function<void(OptionsDialog&)>& user) {
        QObject guard;
        bool ran = false;
        QTimer::singleShot(0, &guard, [&] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            ran = true;
            user(*dialog);
            if (dialog->isVisible()) dialog->close();
        });
        // Whatever happens in `user`, a modal loop must not outlive the test.
        QTimer::singleShot(20000, &guard, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        QAction* entry = main().findChild<QAction*>(QStringLiteral("mnusetup"));
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        ASSERT_TRUE(ran) << "the menu entry opened no modal options dialog";
    }

    QString stored(const char* key) const {
        return QSettings(env_->settingsFile(), QSettings::IniFormat)
            .value(QLatin1String(key))
            .toString();
    }

    std::unique_ptr<TestEnv> env_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<StudyApp> app_;
    QStringList messages_;
};
