// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/optionsdialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "platform/logging.h"
#include "platform/olecolour.h"
#include "platform/widgets/messagebox.h"
#include "platform/widgets/twips.h"
#include "questionbank/categories.h"
#include "study/module1.h"
#include "study/studysettings.h"
#include "study/upsidedownscrollbar.h"

namespace {

using SettingsTable::FontSizeNumber;
using SettingsTable::offeredSeconds;

void place(QWidget* w, double x, double y, double width, double height) {
    w->setGeometry(Twips::toPixels(x), Twips::toPixels(y), Twips::toPixels(width),
                   Twips::toPixels(height));
}

// Controls whose size the layout leaves to their caption: as wide as the
// caption needs, and as high as the documented row allows but never lower
// than the text, so CJK captions are not clipped.
void placeAt(QWidget* w, double x, double y, double rowTwips) {
    const int textHeight = w->fontMetrics().height() + 2;
    w->setGeometry(Twips::toPixels(x), Twips::toPixels(y), w->sizeHint().width(),
                   std::max(Twips::toPixels(rowTwips), textHeight));
}

// The documented control name stays the widget's objectName.
template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

}  // namespace

// Without an owner form: the window manager would centre an owned dialog
// over the main window and hide the preview the dialog makes there.
OptionsDialog::OptionsDialog(StudySettings& settings) : QDialog(nullptr), settings_(settings) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("选项..."));
    // Only the close box: closing is the one way to finish.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // The Chinese interface font of the dialog; the system group names its own.
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSize(9);
    setFont(f);
    setFixedSize(Twips::toPixels(5715), Twips::toPixels(5235));
    buildControls();
    loadFromSettings();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::buildControls() {
    choicePanel_ = named(new QFrame(this), "Picture3");
    choicePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(choicePanel_, 0, 0, 5680, 3255);
    choiceArea_ = named(new QFrame(choicePanel_), "Picture4");
    place(choiceArea_, 0, 0, 5485, 0);

    QRadioButton*& all = choiceButtons_[0];
    all = named(new QRadioButton(QStringLiteral("全部"), choiceArea_), "Option1_0");
    place(all, 120, 100, 5145, 195);
    all->resize(all->width(), std::max(all->height(), fontMetrics().height() + 2));

    buildSystemGroup();
    buildAppearanceGroup();
}

void OptionsDialog::buildSystemGroup() {
    systemGroup_ = named(new QGroupBox(QStringLiteral("系统设置"), this), "Frame2");
    QFont tahoma;
    // Tahoma is not on a Debian desktop; Liberation Sans has its metrics
    // close enough, and CJK captions fall back to the system's Chinese font.
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("WenQuanYi Micro Hei")});
    tahoma.setPointSize(9);
    systemGroup_->setFont(tahoma);
    place(systemGroup_, 0, 3360, 5655, 1215);

    auto check = [this](const char* name, const QString& caption, double x, double y,
                        void (OptionsDialog::*handler)()) {
        auto* box = new QCheckBox(caption, systemGroup_);
        box->setObjectName(QLatin1String(name));
        placeAt(box, x, y, 240);
        // toggled, not clicked: setting the box from code fires the handler
        // exactly as a click would, which loading relies on.
        connect(box, &QCheckBox::toggled, this, handler);
        return box;
    };
    startWithSystemBox_ = check("Check5", QStringLiteral("软件随Windows启动"), 120, 360,
                                &OptionsDialog::onStartWithSystemToggled);
    saveOnExitBox_ = check("Check1", QStringLiteral("退出时保存"), 120, 600,
                           &OptionsDialog::onSaveOnExitToggled);
    onTopBox_ =
        check("Check2", QStringLiteral("问题置顶"), 120, 840, &OptionsDialog::onOnTopToggled);
    speakAnswerBox_ = check("Check3", QStringLiteral("朗读答案"), 3360, 360,
                            &OptionsDialog::onSpeakAnswerToggled);

    secondsCaption_ =
        named(new QLabel(QStringLiteral("显示             秒"), systemGroup_), "Label2");
    placeAt(secondsCaption_, 3240, 720, 270);
    secondsCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    secondsBox_ = named(new QLineEdit(QStringLiteral("5"), systemGroup_), "text1_1");
    place(secondsBox_, 3780, 720, 315, 270);
    secondsSpinner_ =
        named(new UpsideDownScrollBar(offeredSeconds.lowest, offeredSeconds.highest, systemGroup_),
              "VScroll2");
    place(secondsSpinner_, 4080, 720, 135, 255);
    connect(secondsSpinner_, &QScrollBar::valueChanged, this, &OptionsDialog::onSecondsSpun);
}

void OptionsDialog::buildAppearanceGroup() {
    appearanceGroup_ = named(new QGroupBox(this), "Frame1_1");
    place(appearanceGroup_, 0, 4680, 5655, 495);
    const QString captions[3] = {QStringLiteral("字体颜色:"), QStringLiteral("背景颜色:"),
                                 QStringLiteral("大小:")};
    const double lefts[3] = {120, 3120, 1920};
    for (int i = 0; i < 3; ++i) {
        appearanceCaptions_[i] = new QLabel(captions[i], appearanceGroup_);
        appearanceCaptions_[i]->setObjectName(QStringLiteral("Label8_%1").arg(i));
        placeAt(appearanceCaptions_[i], lefts[i], 200, 195);
    }
    textColourSwatch_ = named(new ColourSwatch(appearanceGroup_), "Picture1");
    place(textColourSwatch_, 1200, 135, 495, 300);
    connect(textColourSwatch_, &ColourSwatch::clicked, this, &OptionsDialog::onChooseTextColour);
    fontSizeBox_ = named(new QLineEdit(appearanceGroup_), "text2");
    place(fontSizeBox_, 2400, 120, 495, 330);
    connect(fontSizeBox_, &QLineEdit::textChanged, this, &OptionsDialog::onFontSizeTextChanged);
    fontSizeSpinner_ = named(
        new UpsideDownScrollBar(FontSizeNumber.lowest, FontSizeNumber.highest, appearanceGroup_),
        "VScroll1");
    place(fontSizeSpinner_, 2880, 145, 135, 255);
    connect(fontSizeSpinner_, &QScrollBar::valueChanged, this, &OptionsDialog::onFontSizeSpun);
    backgroundSwatch_ = named(new ColourSwatch(appearanceGroup_), "Picture2");
    place(backgroundSwatch_, 4200, 135, 495, 300);
    connect(backgroundSwatch_, &ColourSwatch::clicked, this, &OptionsDialog::onChooseBackground);
    defaultsButton_ =
        named(new QPushButton(QStringLiteral("默认"), appearanceGroup_), "xpcmdbutton1");
    // A dialog makes its buttons default buttons; Return in the size box
    // must not restore the defaults behind the user's back.
    defaultsButton_->setAutoDefault(false);
    defaultsButton_->setDefault(false);
    place(defaultsButton_, 4800, 120, 735, 375);
    connect(defaultsButton_, &QPushButton::clicked, this, &OptionsDialog::onRestoreDefaults);
}

void OptionsDialog::createCategoryChoices() {
    const QStringList names = Categories::names();
    double top = 350;
    for (int i = 0; i < names.size() && i + 1 < kChoices; ++i) {
        auto* option = new QRadioButton(names[i], choiceArea_);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i + 1));
        const double left = i % 2 == 0 ? 100 : 100 + 2550;
        place(option, left, top, 2550, 195);
        option->resize(option->width(), choiceButtons_[0]->height());
        option->setVisible(true);
        choiceButtons_[i + 1] = option;
        if (i % 2 == 1) top += 250;
    }
}

void OptionsDialog::loadFromSettings() {
    choiceArea_->resize(choiceArea_->width(), Twips::toPixels(11.0 / 2 * 250 + 350));
    createCategoryChoices();
    for (QRadioButton* o : choiceButtons_)
        if (o) o->setEnabled(true);

    // Fill in the documented order; each setting fires its handler. Values
    // the controls cannot show are clamped to their ranges.
    const SettingsRecord& s = settings_.record();
    const int seconds = std::clamp<int>(s.ctimeword, offeredSeconds.lowest, offeredSeconds.highest);
    const int size =
        std::clamp<int>(s.FontSizeNumber, FontSizeNumber.lowest, FontSizeNumber.highest);
    const int choice = std::clamp<int>(s.guageword, 0, kChoices - 1);
    const std::uint32_t txt = OleColour::fromNumber(s.txtColor);
    const std::uint32_t form = OleColour::fromNumber(s.formColor);
    saveOnExitBox_->setChecked(s.ssaveword != 0);
    startWithSystemBox_->setChecked(s.markword != 0);
    onTopBox_->setChecked(s.ontopword != 0);
    fontSizeSpinner_->setValue(size);
    secondsBox_->setText(QString::number(seconds));
    secondsSpinner_->setValue(seconds);
    speakAnswerBox_->setChecked(s.isnoSpeak != 0);
    textColourSwatch_->setOleColour(txt);
    backgroundSwatch_->setOleColour(form);
    fontSizeBox_->setText(QString::number(size));
    if (choiceButtons_[choice]) choiceButtons_[choice]->setChecked(true);
    qCInfo(lcSettings) << "options dialog loaded: seconds" << seconds << "size" << size << "choice"
                       << choice;
}

void OptionsDialog::onSaveOnExitToggled() {
    settings_.setSaveOnClose(saveOnExitBox_->isChecked());
}
void OptionsDialog::onOnTopToggled() {
    settings_.setOnTop(onTopBox_->isChecked());
}
void OptionsDialog::onSpeakAnswerToggled() {
    settings_.setSpeakAnswer(speakAnswerBox_->isChecked());
}
void OptionsDialog::onStartWithSystemToggled() {
    settings_.setStartWithSystem(startWithSystemBox_->isChecked());
}

// Text typed into the seconds box has no effect: the time comes from the spinner.
void OptionsDialog::onSecondsSpun() {
    secondsBox_->setText(QString::number(secondsSpinner_->value()));
}
void OptionsDialog::onFontSizeSpun() {
    fontSizeBox_->setText(QString::number(fontSizeSpinner_->value()));
}

// Only a whole number in range reaches the settings, so the size that
// closing keeps is the last valid one the box held.
void OptionsDialog::onFontSizeTextChanged() {
    bool ok = false;
    const int size = fontSizeBox_->text().trimmed().toInt(&ok, 10);
    if (!ok || size < FontSizeNumber.lowest || size > FontSizeNumber.highest) {
        qCDebug(lcSettings).noquote() << "font size text ignored:" << fontSizeBox_->text();
        return;
    }
    settings_.setFontSize(size);
}

void OptionsDialog::onChooseTextColour() {
    const std::optional<QColor> chosen = MessageBox::chooseColour(this);
    if (!chosen) return;
    const std::uint32_t ole = OleColour::fromColor(*chosen);
    textColourSwatch_->setOleColour(ole);
    settings_.setTextColour(ole, StudySettings::Preview::WithSample);
}

void OptionsDialog::onChooseBackground() {
    const std::optional<QColor> chosen = MessageBox::chooseColour(this);
    if (!chosen) return;
    const std::uint32_t ole = OleColour::fromColor(*chosen);
    backgroundSwatch_->setOleColour(ole);
    settings_.setFormColour(ole);
}

// Leaves the check boxes, the time, the choice and the size spinner alone.
void OptionsDialog::onRestoreDefaults() {
    using SettingsTable::formColor, SettingsTable::txtColor;
    textColourSwatch_->setOleColour(txtColor.restored);
    settings_.setTextColour(txtColor.restored);
    backgroundSwatch_->setOleColour(formColor.restored);
    settings_.setFormColour(formColor.restored);
    fontSizeBox_->setText(QString::number(FontSizeNumber.firstRun));
    settings_.setFontSize(FontSizeNumber.firstRun);
}

// The font size and the check boxes are in the settings already; the
// choice and the time are taken from their controls only now.
void OptionsDialog::takeOnClose() {
    if (closed_) return;
    closed_ = true;
    for (int i = 0; i < kChoices; ++i)
        if (choiceButtons_[i] && choiceButtons_[i]->isChecked()) settings_.setChoice(i);
    settings_.setSeconds(secondsSpinner_->value());
    if (settings_.record().ssaveword == 0) {
        qCInfo(lcSettings) << "options dialog closed without saving";
        return;
    }
    qCInfo(lcSettings) << "options dialog closed, saving";
    SetAutoRun(settings_.record());
    settings_.save();
    emit saved();
}

void OptionsDialog::done(int result) {
    takeOnClose();
    QDialog::done(result);
}
