// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog, driven through its real widgets while it runs modally
// over the main window: loading, spinners and the font size.
#include "tests/study_options/optionsfixture.h"

namespace {

// ---- Loading ---------------------------------------------------------------

TEST_F(OptionsDialogTest, FirstRunShowsTheSeededSettingsInEveryControl) {
    withDialog([&](OptionsDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("选项..."));
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.parentWidget(), nullptr) << "shown without an owner form";
        EXPECT_TRUE(main().cycle().stepTimer()->isActive())
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

TEST_F(OptionsDialogTest, CategoryChoicesAreBuiltInTwoColumnsInListOrder) {
    withDialog([&](OptionsDialog& d) {
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

TEST_F(OptionsDialogTest, InMemoryValuesOutsideTheControlsAreClamped) {
    main().studySettings().setSeconds(40);
    main().studySettings().setFontSize(3);
    main().studySettings().setChoice(12);
    withDialog([&](OptionsDialog& d) {
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 15);
        EXPECT_EQ(child<QLineEdit>(d, "text1_1")->text(), QStringLiteral("15"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll1")->value(), 8);
        EXPECT_EQ(child<QLineEdit>(d, "text2")->text(), QStringLiteral("8"));
        EXPECT_EQ(label()->font().pointSize(), 8);
        EXPECT_TRUE(child<QRadioButton>(d, "Option1_10")->isChecked());
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("15"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("8"));
    EXPECT_EQ(stored("guageword"), QStringLiteral("10"));
}

// ---- Spinners --------------------------------------------------------------

TEST_F(OptionsDialogTest, SpinnersRiseUpwardsAndStopAtTheirEnds) {
    withDialog([&](OptionsDialog& d) {
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
        EXPECT_EQ(label()->font().pointSize(), 13);
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
TEST_F(OptionsDialogTest, SpinnersLeaveEitherEndByArrowKeyAndWheel) {
    struct Spinner {
        const char* name;
        const char* box;
        int lowest, highest;
    };
    withDialog([&](OptionsDialog& d) {
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
TEST_F(OptionsDialogTest, SpinnersTakeTheKeysByClickAndByTab) {
    withDialog([&](OptionsDialog& d) {
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

TEST_F(OptionsDialogTest, TypedSecondsAreIgnoredTheSpinnerIsSaved) {
    withDialog([&](OptionsDialog& d) {
        clickArrow(child<QScrollBar>(d, "VScroll2"), true);
        typeInto(child<QLineEdit>(d, "text1_1"), QStringLiteral("12"));
        EXPECT_EQ(child<QScrollBar>(d, "VScroll2")->value(), 8);
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("8"));
    EXPECT_EQ(main().settings().ctimeword, 8);
    EXPECT_EQ(main().cycle().stepTimer()->interval(), 8000);
}

// ---- Font size -------------------------------------------------------------

TEST_F(OptionsDialogTest, TypedSizeResizesTheMainWindowAtOnceAndIsSaved) {
    const QSize before = main().size();
    withDialog([&](OptionsDialog& d) {
        typeInto(child<QLineEdit>(d, "text2"), QStringLiteral("30"));
        EXPECT_EQ(label()->font().pointSize(), 30);
        EXPECT_EQ(main().settings().FontSizeNumber, 30);
        // The layout may trade width for lines; a larger font always adds height.
        EXPECT_GT(main().height(), before.height());
        EXPECT_EQ(main().size(),
                  label()->size() + QSize(Twips::toPixels(200), Twips::toPixels(200)));
    });
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("30"));
    EXPECT_EQ(main().settings().FontSizeNumber, 30);
}

TEST_F(OptionsDialogTest, SizeTextThatIsNoValidSizeKeepsTheLastValidOne) {
    withDialog([&](OptionsDialog& d) {
        QLineEdit* text2 = child<QLineEdit>(d, "text2");
        typeInto(text2, QStringLiteral("20"));
        const QSize at20 = main().size();
        for (const char* bad : {"abc", "", "7", "56", "2 0", "-20"}) {
            typeInto(text2, QString::fromLatin1(bad));
            if (!*bad) text2->clear();
            EXPECT_EQ(label()->font().pointSize(), 20) << bad;
            EXPECT_EQ(main().settings().FontSizeNumber, 20) << bad;
        }
        EXPECT_EQ(main().size(), at20);
        // Return in the size box must not press the default button.
        typeInto(text2, QStringLiteral("25"));
        QTest::keyClick(text2, Qt::Key_Return);
        EXPECT_EQ(label()->font().pointSize(), 25);
        typeInto(text2, QStringLiteral("x"));
    });
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("25"));
}

}  // namespace
