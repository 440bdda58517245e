// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog, driven through its real widgets while it runs modally
// over the main window, opened from the main window's menu entry.
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
#include "study/form3.h"
#include "study/studyapp.h"
#include "tests/support/testenv.h"

namespace {

template <class T>
T* child(QWidget& parent, const QString& name) {
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

// Presses one of the spinner's arrows where the style draws it.
void clickArrow(QScrollBar* bar, bool upper) {
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

void wheel(QScrollBar* bar, int angle) {
    const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
    QWheelEvent e(at, bar->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &e);
}
void wheelUp(QScrollBar* bar) {
    wheel(bar, 120);
}
void wheelDown(QScrollBar* bar) {
    wheel(bar, -120);
}

// Replaces what a box holds with typed text.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void clickOption(QRadioButton* option) {
    // On the caption: the button's far right is not part of it.
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

class OptionsDialog : public ::testing::Test {
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
        app_ = std::make_unique<StudyApp>(*store_, FrmShow::SpeechMaker{});
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

    FrmShow& main() { return app_->main(); }

    // Chooses "选项(&O)..." and runs `user` while the dialog is modal. The
    // dialog is closed through its close box afterwards unless `user` has
    // ended it some other way.
    void withDialog(const std::function<void(Form3&)>& user) {
        QObject guard;
        bool ran = false;
        QTimer::singleShot(0, &guard, [&] {
            auto* dialog = qobject_cast<Form3*>(QApplication::activeModalWidget());
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

// ---- Loading ---------------------------------------------------------------

TEST_F(OptionsDialog, FirstRunShowsTheSeededSettingsInEveryControl) {
    withDialog([&](Form3& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("选项..."));
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.parentWidget(), nullptr) << "shown without an owner form";
        EXPECT_TRUE(main().Timer6()->isActive())
            << "the display must keep running behind the dialog";
        EXPECT_TRUE(child<QCheckBox>(d, "Check1")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "Check2")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "Check5")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "Check3")->isChecked());
        EXPECT_EQ(child<QCheckBox>(d, "Check1")->text(), QStringLiteral("退出时保存"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 7);
        EXPECT_EQ(child<QLineEdit>(d, "text1_1")->text(), QStringLiteral("7"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll1")->value(), 12);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("12"));
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), OleColour::kHighlightText);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture2")->oleColour(), OleColour::kDesktop);
        QRadioButton* first = child<QRadioButton>(d, "Option1_1");
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->isChecked());
        EXPECT_EQ(first->text(), QStringLiteral("交通安全法律"));
        EXPECT_EQ(first->mapTo(&d, QPoint()).x(),
                  child<QRadioButton>(d, "Option1_3")->mapTo(&d, QPoint()).x());
        EXPECT_LT(child<QRadioButton>(d, "Option1_0")->y(), first->y());
    });
}

TEST_F(OptionsDialog, CategoryChoicesAreBuiltInTwoColumnsInListOrder) {
    withDialog([&](Form3& d) {
        const QStringList names = Categories::names();
        ASSERT_EQ(names.size(), 10);
        EXPECT_EQ(child<QRadioButton>(d, "Option1_0")->text(), QStringLiteral("全部"));
        for (int i = 0; i < 10; ++i) {
            QRadioButton* o = child<QRadioButton>(d, QStringLiteral("Option1_%1").arg(i + 1));
            ASSERT_NE(o, nullptr);
            EXPECT_EQ(o->text(), names[i]);
            EXPECT_TRUE(o->isVisible() && o->isEnabled());
            EXPECT_EQ(o->x(), Twips::toPixels(i % 2 == 0 ? 100 : 2650)) << i;
            EXPECT_EQ(o->y(), Twips::toPixels(350 + 250 * (i / 2))) << i;
            // The whole caption is shown, not cut off by the column.
            EXPECT_LE(o->sizeHint().width(), Twips::toPixels(2550)) << i;
        }
        EXPECT_EQ(child<QWidget>(d, "Picture4")->height(), Twips::toPixels(1725));
        EXPECT_EQ(d.size(), QSize(Twips::toPixels(5715), Twips::toPixels(5235)));
    });
}

TEST_F(OptionsDialog, InMemoryValuesOutsideTheControlsAreClamped) {
    main().settings().ctimeword = 40;
    main().settings().FontSizeNumber = 3;
    main().settings().guageword = 12;
    withDialog([&](Form3& d) {
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 15);
        EXPECT_EQ(child<QLineEdit>(d, "text1_1")->text(), QStringLiteral("15"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll1")->value(), 8);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("8"));
        EXPECT_EQ(main().LB()->font().pointSize(), 8);
        EXPECT_TRUE(child<QRadioButton>(d, "Option1_10")->isChecked());
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("15"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("8"));
    EXPECT_EQ(stored("guageword"), QStringLiteral("10"));
}

// ---- Spinners --------------------------------------------------------------

TEST_F(OptionsDialog, SpinnersRiseUpwardsAndStopAtTheirEnds) {
    withDialog([&](Form3& d) {
        QScrollBar* seconds = child<QScrollBar>(d, "VScroll2");
        QLineEdit* text1 = child<QLineEdit>(d, "text1_1");
        clickArrow(seconds, true);
        EXPECT_EQ(seconds->value(), 8);
        EXPECT_EQ(text1->text(), QStringLiteral("8"));
        clickArrow(seconds, false);
        EXPECT_EQ(seconds->value(), 7);
        QTest::keyClick(seconds, Qt::Key_Up);
        EXPECT_EQ(seconds->value(), 8);
        wheelUp(seconds);
        EXPECT_EQ(seconds->value(), 9);
        seconds->setValue(15);
        clickArrow(seconds, true);
        EXPECT_EQ(seconds->value(), 15);
        seconds->setValue(3);
        clickArrow(seconds, false);
        EXPECT_EQ(seconds->value(), 3);
        EXPECT_EQ(text1->text(), QStringLiteral("3"));

        QScrollBar* size = child<QScrollBar>(d, "VScroll1");
        clickArrow(size, true);
        EXPECT_EQ(size->value(), 13);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("13"));
        EXPECT_EQ(main().LB()->font().pointSize(), 13);
        size->setValue(55);
        clickArrow(size, true);
        EXPECT_EQ(size->value(), 55);
        size->setValue(8);
        clickArrow(size, false);
        EXPECT_EQ(size->value(), 8);
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("3"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("8"));
}

// Every gesture that points inwards leaves an end: the step is not lost to
// the clamping at the end.
TEST_F(OptionsDialog, SpinnersLeaveEitherEndByArrowKeyAndWheel) {
    struct Spinner {
        const char* name;
        const char* box;
        int lowest, highest;
    };
    withDialog([&](Form3& d) {
        for (const Spinner& s :
             {Spinner{"VScroll2", "text1_1", 3, 15}, Spinner{"VScroll1", "text2", 8, 55}}) {
            SCOPED_TRACE(s.name);
            QScrollBar* bar = child<QScrollBar>(d, s.name);
            QLineEdit* box = child<QLineEdit>(d, s.box);
            const std::vector<std::pair<const char*, std::function<void()>>> down = {
                {"lower arrow", [&] { clickArrow(bar, false); }},
                {"Down key", [&] { QTest::keyClick(bar, Qt::Key_Down); }},
                {"Page Down key", [&] { QTest::keyClick(bar, Qt::Key_PageDown); }},
                {"wheel down", [&] { wheelDown(bar); }},
            };
            const std::vector<std::pair<const char*, std::function<void()>>> up = {
                {"upper arrow", [&] { clickArrow(bar, true); }},
                {"Up key", [&] { QTest::keyClick(bar, Qt::Key_Up); }},
                {"Page Up key", [&] { QTest::keyClick(bar, Qt::Key_PageUp); }},
                {"wheel up", [&] { wheelUp(bar); }},
            };
            for (const auto& [what, gesture] : down) {
                bar->setValue(s.highest);
                gesture();
                EXPECT_EQ(bar->value(), s.highest - 1) << what << " at the top end";
                EXPECT_EQ(box->text(), QString::number(s.highest - 1)) << what;
            }
            for (const auto& [what, gesture] : up) {
                bar->setValue(s.lowest);
                gesture();
                EXPECT_EQ(bar->value(), s.lowest + 1) << what << " at the bottom end";
                EXPECT_EQ(box->text(), QString::number(s.lowest + 1)) << what;
            }
            // And outwards they still stop.
            for (const auto& [what, gesture] : up) {
                bar->setValue(s.highest);
                gesture();
                EXPECT_EQ(bar->value(), s.highest) << what << " past the top end";
            }
            for (const auto& [what, gesture] : down) {
                bar->setValue(s.lowest);
                gesture();
                EXPECT_EQ(bar->value(), s.lowest) << what << " past the bottom end";
            }
        }
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("3"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("8"));
}

// As a user reaches them: a click on the spinner or Tab from its box gives
// it the keys, and the keys then go to whatever holds the focus.
TEST_F(OptionsDialog, SpinnersTakeTheKeysByClickAndByTab) {
    withDialog([&](Form3& d) {
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        const auto focused = [] { return QApplication::focusWidget(); };
        for (const auto& [name, box] : {std::pair{"VScroll2", "text1_1"}, {"VScroll1", "text2"}}) {
            SCOPED_TRACE(name);
            QScrollBar* bar = child<QScrollBar>(d, name);
            QLineEdit* edit = child<QLineEdit>(d, box);

            edit->setFocus(Qt::OtherFocusReason);
            ASSERT_EQ(focused(), edit);
            QTest::keyClick(focused(), Qt::Key_Tab);
            ASSERT_EQ(focused(), bar) << "Tab from the box does not reach its spinner";
            bar->setValue(10);
            QTest::keyClick(focused(), Qt::Key_PageUp);
            QTest::keyClick(focused(), Qt::Key_Up);
            EXPECT_EQ(bar->value(), 12);
            QTest::keyClick(focused(), Qt::Key_PageDown);
            EXPECT_EQ(bar->value(), 11);
            EXPECT_EQ(edit->text(), QStringLiteral("11"));

            edit->setFocus(Qt::OtherFocusReason);
            clickArrow(bar, true);
            ASSERT_EQ(focused(), bar) << "a click leaves the keys elsewhere";
            QTest::keyClick(focused(), Qt::Key_Down);
            QTest::keyClick(focused(), Qt::Key_Down);
            EXPECT_EQ(bar->value(), 10);
        }
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("10"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("10"));
}

TEST_F(OptionsDialog, TypedSecondsAreIgnoredTheSpinnerIsSaved) {
    withDialog([&](Form3& d) {
        clickArrow(child<QScrollBar>(d, "VScroll2"), true);
        typeInto(child<QLineEdit>(d, "text1_1"), QStringLiteral("12"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 8);
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("8"));
    EXPECT_EQ(main().settings().ctimeword, 8);
    EXPECT_EQ(main().Timer6()->interval(), 8000);
}

// ---- Font size -------------------------------------------------------------

TEST_F(OptionsDialog, TypedSizeResizesTheMainWindowAtOnceAndIsSaved) {
    const QSize before = main().size();
    withDialog([&](Form3& d) {
        typeInto(child<QLineEdit>(d, "text2"), QStringLiteral("30"));
        EXPECT_EQ(main().LB()->font().pointSize(), 30);
        EXPECT_EQ(main().settings().FontSizeNumber, 30);
        // The layout may trade width for lines; a larger font always adds height.
        EXPECT_GT(main().height(), before.height());
        EXPECT_EQ(main().size(),
                  main().LB()->size() + QSize(Twips::toPixels(200), Twips::toPixels(200)));
    });
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("30"));
    EXPECT_EQ(main().settings().FontSizeNumber, 30);
}

TEST_F(OptionsDialog, SizeTextThatIsNoValidSizeKeepsTheLastValidOne) {
    withDialog([&](Form3& d) {
        QLineEdit* text2 = child<QLineEdit>(d, "text2");
        typeInto(text2, QStringLiteral("20"));
        const QSize at20 = main().size();
        for (const char* bad : {"abc", "", "7", "56", "2 0", "-20"}) {
            typeInto(text2, QString::fromLatin1(bad));
            if (!*bad) text2->clear();
            EXPECT_EQ(main().LB()->font().pointSize(), 20) << bad;
            EXPECT_EQ(main().settings().FontSizeNumber, 20) << bad;
        }
        EXPECT_EQ(main().size(), at20);
        // Return in the size box must not press the default button.
        typeInto(text2, QStringLiteral("25"));
        QTest::keyClick(text2, Qt::Key_Return);
        EXPECT_EQ(main().LB()->font().pointSize(), 25);
        typeInto(text2, QStringLiteral("x"));
    });
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("25"));
}

// ---- Appearance: default button and swatches -------------------------------

TEST_F(OptionsDialog, DefaultButtonThenCloseStoresWhiteBlueAndTwelve) {
    withDialog([&](Form3& d) {
        typeInto(child<QLineEdit>(d, "text2"), QStringLiteral("30"));
        child<QScrollBar>(d, "VScroll1")->setValue(40);
        QPushButton* button = child<QPushButton>(d, "xpcmdbutton1");
        EXPECT_EQ(button->text(), QStringLiteral("默认"));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(main().LB()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        EXPECT_EQ(main().palette().color(QPalette::Window), QColor(56, 93, 171));
        EXPECT_EQ(main().LB()->font().pointSize(), 12);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("12"));
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), 16777215u);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture2")->oleColour(), 11230520u);
        EXPECT_EQ(child<QScrollBar>(d, "VScroll1")->value(), 40)
            << "the button leaves the spinner alone";
    });
    EXPECT_EQ(stored("txtColor"), QStringLiteral("16777215"));
    EXPECT_EQ(stored("formColor"), QStringLiteral("11230520"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("12"));
}

TEST_F(OptionsDialog, ChosenTextColourShowsTheSampleAndIsSaved) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(255, 0, 0)); });
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture1"), Qt::LeftButton);
        EXPECT_EQ(main().LB()->text(), QStringLiteral("Welcome to use Quillmere V3.3."));
        EXPECT_EQ(main().LB()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), 255u);
    });
    EXPECT_EQ(stored("txtColor"), QStringLiteral("255"));
    EXPECT_EQ(stored("formColor"), QStringLiteral("-2147483647"))
        << "an untouched system colour stays one";
}

TEST_F(OptionsDialog, ChosenBackgroundColourPaintsTheMainWindowAndIsSaved) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(0, 128, 0)); });
    const QString text = main().LB()->text();
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture2"), Qt::LeftButton);
        EXPECT_EQ(main().palette().color(QPalette::Window), QColor(0, 128, 0));
        EXPECT_EQ(main().LB()->text(), text);
    });
    EXPECT_EQ(stored("formColor"), QString::number(128 << 8));
    EXPECT_EQ(stored("txtColor"), QStringLiteral("-2147483634"));
}

TEST_F(OptionsDialog, CancelledColourDialogChangesNothing) {
    int asked = 0;
    MessageBox::setColourHook([&] {
        ++asked;
        return std::optional<QColor>();
    });
    const QString text = main().LB()->text();
    const QColor ink = main().LB()->palette().color(QPalette::WindowText);
    const QColor back = main().palette().color(QPalette::Window);
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture1"), Qt::LeftButton);
        QTest::mouseClick(child<QWidget>(d, "Picture2"), Qt::LeftButton);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), OleColour::kHighlightText);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture2")->oleColour(), OleColour::kDesktop);
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(main().LB()->text(), text);
    EXPECT_EQ(main().LB()->palette().color(QPalette::WindowText), ink);
    EXPECT_EQ(main().palette().color(QPalette::Window), back);
}

TEST_F(OptionsDialog, RealColourDialogStartsWithSixteenBlackCustomColours) {
    for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::red);
    int black = -1;
    withDialog([&](Form3& d) {
        QTimer::singleShot(0, &d, [&] {
            auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!picker) return;
            black = 0;
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                if (QColorDialog::customColor(i) == QColor(Qt::black)) ++black;
            picker->reject();
        });
        QTest::mouseClick(child<QWidget>(d, "Picture1"), Qt::LeftButton);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), OleColour::kHighlightText);
    });
    EXPECT_EQ(black, 16);
}

// ---- Check boxes and closing -----------------------------------------------

TEST_F(OptionsDialog, CheckBoxesWriteStraightIntoTheRecordAndClosingSavesEverything) {
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QCheckBox>(d, "Check3"), Qt::LeftButton);
        EXPECT_EQ(main().settings().isnoSpeak, 1);
        QTest::mouseClick(child<QCheckBox>(d, "Check2"), Qt::LeftButton);
        EXPECT_EQ(main().settings().ontopword, 0);
        clickOption(child<QRadioButton>(d, "Option1_0"));
        EXPECT_EQ(main().settings().guageword, 1) << "the choice is taken only on close";
    });
    EXPECT_EQ(stored("isnoSpeak"), QStringLiteral("1"));
    EXPECT_EQ(stored("ontopword"), QStringLiteral("0"));
    EXPECT_EQ(stored("guageword"), QStringLiteral("0"));
    EXPECT_EQ(stored("xxx"), QStringLiteral("1"));
    EXPECT_EQ(stored("Spdtimes"), QStringLiteral("90"));
    // The reload after saving points the display at the whole bank.
    EXPECT_EQ(main().settings().guageword, 0);
    EXPECT_EQ(main().Data1().RecordSource, Queries::displayAll());
    EXPECT_TRUE(main().findChildren<Form3*>().isEmpty()) << "the dialog is released on close";
}

TEST_F(OptionsDialog, EscapeGoesThroughTheClosingSteps) {
    withDialog([&](Form3& d) {
        clickArrow(child<QScrollBar>(d, "VScroll2"), true);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("8"));
    EXPECT_EQ(main().Timer6()->interval(), 8000);
}

TEST_F(OptionsDialog, ClosingWithSavingOffWritesNothingAndRestoresTheStoredValues) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(10, 20, 30)); });
    const QByteArray before = readFile(env_->settingsFile());
    ASSERT_FALSE(before.isEmpty());
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QCheckBox>(d, "Check1"), Qt::LeftButton);
        EXPECT_EQ(main().settings().ssaveword, 0);
        QTest::mouseClick(child<QCheckBox>(d, "Check5"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(d, "Check3"), Qt::LeftButton);
        clickArrow(child<QScrollBar>(d, "VScroll2"), true);
        typeInto(child<QLineEdit>(d, "text2"), QStringLiteral("33"));
        QTest::mouseClick(child<QWidget>(d, "Picture2"), Qt::LeftButton);
        clickOption(child<QRadioButton>(d, "Option1_5"));
    });
    EXPECT_EQ(readFile(env_->settingsFile()), before);
    EXPECT_FALSE(QFile::exists(env_->configDir() + QStringLiteral("/autostart/Velmorant.desktop")));
    const SettingsRecord& s = main().settings();
    EXPECT_EQ(s.ssaveword, 1);
    EXPECT_EQ(s.markword, 0);
    EXPECT_EQ(s.isnoSpeak, 0);
    EXPECT_EQ(s.ctimeword, 7);
    EXPECT_EQ(s.FontSizeNumber, 12);
    EXPECT_EQ(s.guageword, 1);
    EXPECT_EQ(OleColour::fromNumber(s.formColor), OleColour::kDesktop);

    withDialog([&](Form3& d) {
        EXPECT_TRUE(child<QCheckBox>(d, "Check1")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "Check5")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "Check3")->isChecked());
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 7);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("12"));
        EXPECT_EQ(child<ColourSwatch>(d, "Picture2")->oleColour(), OleColour::kDesktop);
        EXPECT_TRUE(child<QRadioButton>(d, "Option1_1")->isChecked());
        QTest::mouseClick(child<QCheckBox>(d, "Check1"), Qt::LeftButton);
    });
    EXPECT_EQ(readFile(env_->settingsFile()), before);
}

TEST_F(OptionsDialog, StartWithWindowsWritesTheAutostartEntryOnClose) {
    const QString entry = env_->configDir() + QStringLiteral("/autostart/Velmorant.desktop");
    withDialog([&](Form3& d) {
        QTest::mouseClick(child<QCheckBox>(d, "Check5"), Qt::LeftButton);
        EXPECT_EQ(main().settings().markword, 1);
        EXPECT_FALSE(QFile::exists(entry)) << "the entry is written on close, not on the click";
    });
    EXPECT_EQ(stored("markword"), QStringLiteral("1"));
    const QString text = QString::fromUtf8(readFile(entry));
    EXPECT_TRUE(text.contains(QStringLiteral("Exec="))) << text.toStdString();

    withDialog([&](Form3& d) {
        EXPECT_TRUE(child<QCheckBox>(d, "Check5")->isChecked());
        QTest::mouseClick(child<QCheckBox>(d, "Check5"), Qt::LeftButton);
    });
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(stored("markword"), QStringLiteral("0"));
}

}  // namespace
