// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog, driven through its real widgets while it runs modally
// over the main window: appearance, closing, and the settings it edits.
#include "tests/study_options/optionsfixture.h"

namespace {

// ---- Appearance: default button and swatches -------------------------------

TEST_F(OptionsDialogTest, DefaultButtonThenCloseStoresWhiteBlueAndTwelve) {
    withDialog([&](OptionsDialog& d) {
        typeInto(child<QLineEdit>(d, "text2"), QStringLiteral("30"));
        child<QScrollBar>(d, "VScroll1")->setValue(40);
        QPushButton* button = child<QPushButton>(d, "xpcmdbutton1");
        EXPECT_EQ(button->text(), QStringLiteral("默认"));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(label()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        EXPECT_EQ(main().palette().color(QPalette::Window), QColor(56, 93, 171));
        EXPECT_EQ(label()->font().pointSize(), 12);
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

TEST_F(OptionsDialogTest, ChosenTextColourShowsTheSampleAndIsSaved) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(255, 0, 0)); });
    withDialog([&](OptionsDialog& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture1"), Qt::LeftButton);
        EXPECT_EQ(label()->text(), QStringLiteral("Welcome to use Quillmere V3.3."));
        EXPECT_EQ(label()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), 255u);
    });
    EXPECT_EQ(stored("txtColor"), QStringLiteral("255"));
    EXPECT_EQ(stored("formColor"), QStringLiteral("-2147483647"))
        << "an untouched system colour stays one";
}

TEST_F(OptionsDialogTest, ChosenBackgroundColourPaintsTheMainWindowAndIsSaved) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(0, 128, 0)); });
    const QString text = label()->text();
    withDialog([&](OptionsDialog& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture2"), Qt::LeftButton);
        EXPECT_EQ(main().palette().color(QPalette::Window), QColor(0, 128, 0));
        EXPECT_EQ(label()->text(), text);
    });
    EXPECT_EQ(stored("formColor"), QString::number(128 << 8));
    EXPECT_EQ(stored("txtColor"), QStringLiteral("-2147483634"));
}

TEST_F(OptionsDialogTest, CancelledColourDialogChangesNothing) {
    int asked = 0;
    MessageBox::setColourHook([&] {
        ++asked;
        return std::optional<QColor>();
    });
    const QString text = label()->text();
    const QColor ink = label()->palette().color(QPalette::WindowText);
    const QColor back = main().palette().color(QPalette::Window);
    withDialog([&](OptionsDialog& d) {
        QTest::mouseClick(child<QWidget>(d, "Picture1"), Qt::LeftButton);
        QTest::mouseClick(child<QWidget>(d, "Picture2"), Qt::LeftButton);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture1")->oleColour(), OleColour::kHighlightText);
        EXPECT_EQ(child<ColourSwatch>(d, "Picture2")->oleColour(), OleColour::kDesktop);
    });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(label()->text(), text);
    EXPECT_EQ(label()->palette().color(QPalette::WindowText), ink);
    EXPECT_EQ(main().palette().color(QPalette::Window), back);
}

TEST_F(OptionsDialogTest, RealColourDialogStartsWithSixteenBlackCustomColours) {
    for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::red);
    int black = -1;
    withDialog([&](OptionsDialog& d) {
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

TEST_F(OptionsDialogTest, CheckBoxesWriteStraightIntoTheRecordAndClosingSavesEverything) {
    withDialog([&](OptionsDialog& d) {
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
    EXPECT_EQ(openDialogs(), 0) << "the dialog is released on close";
}

TEST_F(OptionsDialogTest, EscapeGoesThroughTheClosingSteps) {
    withDialog([&](OptionsDialog& d) {
        clickArrow(child<QScrollBar>(d, "VScroll2"), true);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("8"));
    EXPECT_EQ(main().cycle().stepTimer()->interval(), 8000);
}

TEST_F(OptionsDialogTest, ClosingWithSavingOffWritesNothingAndRestoresTheStoredValues) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(10, 20, 30)); });
    const QByteArray before = readFile(env_->settingsFile());
    ASSERT_FALSE(before.isEmpty());
    withDialog([&](OptionsDialog& d) {
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

    withDialog([&](OptionsDialog& d) {
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

TEST_F(OptionsDialogTest, StartWithWindowsWritesTheAutostartEntryOnClose) {
    const QString entry = env_->configDir() + QStringLiteral("/autostart/Velmorant.desktop");
    withDialog([&](OptionsDialog& d) {
        QTest::mouseClick(child<QCheckBox>(d, "Check5"), Qt::LeftButton);
        EXPECT_EQ(main().settings().markword, 1);
        EXPECT_FALSE(QFile::exists(entry)) << "the entry is written on close, not on the click";
    });
    EXPECT_EQ(stored("markword"), QStringLiteral("1"));
    const QString text = QString::fromUtf8(readFile(entry));
    EXPECT_TRUE(text.contains(QStringLiteral("Exec="))) << text.toStdString();

    withDialog([&](OptionsDialog& d) {
        EXPECT_TRUE(child<QCheckBox>(d, "Check5")->isChecked());
        QTest::mouseClick(child<QCheckBox>(d, "Check5"), Qt::LeftButton);
    });
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(stored("markword"), QStringLiteral("0"));
}

// ---- The dialog as a view of the settings ----------------------------------

// The display previews what the settings announce, whoever changes them.
TEST_F(OptionsDialogTest, TheDisplayFollowsTheSettingsItShows) {
    const int before = main().height();
    StudySettings& settings = main().studySettings();
    settings.setFontSize(30);
    EXPECT_EQ(label()->font().pointSize(), 30);
    EXPECT_GT(main().height(), before) << "the display fits itself to the new size";
    settings.setFormColour(11230520);
    EXPECT_EQ(main().palette().color(QPalette::Window), QColor(56, 93, 171));
    const QString text = label()->text();
    settings.setTextColour(255);
    EXPECT_EQ(label()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label()->text(), text) << "a colour alone shows no sample";
    settings.setTextColour(16777215, StudySettings::Preview::WithSample);
    EXPECT_EQ(label()->text(), QStringLiteral("Welcome to use Quillmere V3.3."));
    // A reload keeps the look on screen: the display applies it only at load.
    main().reload();
    EXPECT_EQ(label()->font().pointSize(), 30);
    EXPECT_EQ(main().palette().color(QPalette::Window), QColor(56, 93, 171));
}

TEST_F(OptionsDialogTest, ASecondOpeningWhileOpenBringsTheSameDialogForward) {
    withDialog([&](OptionsDialog& d) {
        app_->showOptions();
        EXPECT_EQ(openDialogs(), 1);
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
    });
    EXPECT_EQ(openDialogs(), 0);
    withDialog([&](OptionsDialog&) { EXPECT_EQ(openDialogs(), 1); });
}

// Built on the settings alone: it needs no display to edit and save them.
TEST_F(OptionsDialogTest, WithoutADisplayTheDialogStillEditsAndSaves) {
    StudySettings settings(*store_);
    settings.read({});
    auto dialog = std::make_unique<OptionsDialog>(settings);
    QSignalSpy saved(dialog.get(), &OptionsDialog::saved);
    dialog->show();
    QScrollBar* seconds = child<QScrollBar>(*dialog, QStringLiteral("VScroll2"));
    ASSERT_NE(seconds, nullptr);
    seconds->setValue(11);
    typeInto(child<QLineEdit>(*dialog, QStringLiteral("text2")), QStringLiteral("20"));
    EXPECT_EQ(settings.record().FontSizeNumber, 20);
    dialog->close();
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(stored("ctimeword"), QStringLiteral("11"));
    EXPECT_EQ(stored("FontSizeNumber"), QStringLiteral("20"));
    EXPECT_EQ(label()->font().pointSize(), 12) << "another settings object, another display";
}

}  // namespace
