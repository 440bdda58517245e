// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "study/colourswatch.h"
#include "study/settingstable.h"

class StudySettings;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The options dialog "选项...". It edits Study's settings while open (the
// display previews the look from their announcements), and on close either
// saves them and says so, or leaves them for the owner's reload to throw away.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(StudySettings& settings);
    ~OptionsDialog() override;

    // "全部" and the categories after it.
    static constexpr int kChoices = SettingsTable::offeredChoices.highest + 1;

signals:
    // Closed with "退出时保存" ticked: the settings are in the store.
    void saved();

protected:
    // Escape, the close box and any accept/reject all end here, so no way out
    // skips the closing steps.
    void done(int result) override;

private:
    void buildControls();
    void buildSystemGroup();
    void buildAppearanceGroup();
    void createCategoryChoices();
    void loadFromSettings();
    void takeOnClose();

    void onSaveOnExitToggled();
    void onOnTopToggled();
    void onSpeakAnswerToggled();
    void onStartWithSystemToggled();
    void onSecondsSpun();
    void onFontSizeSpun();
    void onFontSizeTextChanged();
    void onChooseTextColour();
    void onChooseBackground();
    void onRestoreDefaults();

    StudySettings& settings_;
    bool closed_ = false;

    QFrame* choicePanel_ = nullptr;
    QFrame* choiceArea_ = nullptr;
    std::array<QRadioButton*, kChoices> choiceButtons_{};
    QGroupBox* systemGroup_ = nullptr;
    QCheckBox* startWithSystemBox_ = nullptr;
    QCheckBox* saveOnExitBox_ = nullptr;
    QCheckBox* onTopBox_ = nullptr;
    QCheckBox* speakAnswerBox_ = nullptr;
    QLabel* secondsCaption_ = nullptr;
    QLineEdit* secondsBox_ = nullptr;
    QScrollBar* secondsSpinner_ = nullptr;
    QGroupBox* appearanceGroup_ = nullptr;
    std::array<QLabel*, 3> appearanceCaptions_{};
    ColourSwatch* textColourSwatch_ = nullptr;
    QLineEdit* fontSizeBox_ = nullptr;
    QScrollBar* fontSizeSpinner_ = nullptr;
    ColourSwatch* backgroundSwatch_ = nullptr;
    QPushButton* defaultsButton_ = nullptr;
};
