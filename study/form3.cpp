// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/form3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "platform/logging.h"
#include "platform/olecolour.h"
#include "platform/widgets/messagebox.h"
#include "platform/widgets/twips.h"
#include "platform/widgets/windowplacement.h"
#include "questionbank/categories.h"
#include "study/frmshow.h"
#include "study/module1.h"
#include "study/settingsio.h"
#include "study/upsidedownscrollbar.h"

namespace {

constexpr int kMinSeconds = 3, kMaxSeconds = 15;
constexpr int kMinFontSize = 8, kMaxFontSize = 55;
constexpr std::uint32_t kDefaultText = 16777215;  // white
constexpr std::uint32_t kDefaultForm = 11230520;  // red 56, green 93, blue 171
constexpr int kDefaultFontSize = 12;
const char* const kSample = "Welcome to use Quillmere V3.3.";

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

int clampTo(int v, int lo, int hi) {
    return std::clamp(v, lo, hi);
}

}  // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setOleColour(std::uint32_t ole) {
    ole_ = ole;
    QPalette p = palette();
    p.setColor(QPalette::Window, OleColour::toColor(ole));
    setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* e) {
    // A click is a press and release over the swatch, as for a button.
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QFrame::mouseReleaseEvent(e);
}

// Without an owner form: the window manager would centre an owned dialog
// over the main window and hide the preview the dialog makes there.
Form3::Form3(FrmShow& main) : QDialog(nullptr), main_(main) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("选项..."));
    // Only the close box: closing is the one way to finish.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // The Chinese interface font of the dialog; Frame2 names its own font.
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSize(9);
    setFont(f);
    setFixedSize(Twips::toPixels(5715), Twips::toPixels(5235));
    buildControls();
    Form_Load();
}

Form3::~Form3() = default;

void Form3::buildControls() {
    Picture3_ = new QFrame(this);
    Picture3_->setObjectName(QStringLiteral("Picture3"));
    Picture3_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(Picture3_, 0, 0, 5680, 3255);
    Picture4_ = new QFrame(Picture3_);
    Picture4_->setObjectName(QStringLiteral("Picture4"));
    place(Picture4_, 0, 0, 5485, 0);

    Option1_[0] = new QRadioButton(QStringLiteral("全部"), Picture4_);
    Option1_[0]->setObjectName(QStringLiteral("Option1_0"));
    place(Option1_[0], 120, 100, 5145, 195);
    Option1_[0]->resize(Option1_[0]->width(),
                        std::max(Option1_[0]->height(), fontMetrics().height() + 2));

    Frame2_ = new QGroupBox(QStringLiteral("系统设置"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    QFont tahoma;
    // Tahoma is not on a Debian desktop; Liberation Sans has its metrics
    // close enough, and CJK captions fall back to the system's Chinese font.
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("WenQuanYi Micro Hei")});
    tahoma.setPointSize(9);
    Frame2_->setFont(tahoma);
    place(Frame2_, 0, 3360, 5655, 1215);

    auto check = [this](const char* name, const QString& caption, double x, double y,
                        void (Form3::*handler)()) {
        auto* box = new QCheckBox(caption, Frame2_);
        box->setObjectName(QLatin1String(name));
        placeAt(box, x, y, 240);
        // toggled, not clicked: setting the box from code fires the handler
        // exactly as a click would, which the loading steps rely on.
        connect(box, &QCheckBox::toggled, this, handler);
        return box;
    };
    Check5_ = check("Check5", QStringLiteral("软件随Windows启动"), 120, 360, &Form3::Check5_Click);
    Check1_ = check("Check1", QStringLiteral("退出时保存"), 120, 600, &Form3::Check1_Click);
    Check2_ = check("Check2", QStringLiteral("问题置顶"), 120, 840, &Form3::Check2_Click);
    Check3_ = check("Check3", QStringLiteral("朗读答案"), 3360, 360, &Form3::Check3_Click);

    Label2_ = new QLabel(QStringLiteral("显示             秒"), Frame2_);
    Label2_->setObjectName(QStringLiteral("Label2"));
    placeAt(Label2_, 3240, 720, 270);
    Label2_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text1_1_ = new QLineEdit(QStringLiteral("5"), Frame2_);
    text1_1_->setObjectName(QStringLiteral("text1_1"));
    place(text1_1_, 3780, 720, 315, 270);
    VScroll2_ = new UpsideDownScrollBar(kMinSeconds, kMaxSeconds, Frame2_);
    VScroll2_->setObjectName(QStringLiteral("VScroll2"));
    place(VScroll2_, 4080, 720, 135, 255);
    connect(VScroll2_, &QScrollBar::valueChanged, this, &Form3::VScroll2_Change);

    Frame1_1_ = new QGroupBox(this);
    Frame1_1_->setObjectName(QStringLiteral("Frame1_1"));
    place(Frame1_1_, 0, 4680, 5655, 495);
    const QString captions[3] = {QStringLiteral("字体颜色:"), QStringLiteral("背景颜色:"),
                                 QStringLiteral("大小:")};
    const double lefts[3] = {120, 3120, 1920};
    for (int i = 0; i < 3; ++i) {
        Label8_[i] = new QLabel(captions[i], Frame1_1_);
        Label8_[i]->setObjectName(QStringLiteral("Label8_%1").arg(i));
        placeAt(Label8_[i], lefts[i], 200, 195);
    }
    Picture1_ = new ColourSwatch(Frame1_1_);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    place(Picture1_, 1200, 135, 495, 300);
    connect(Picture1_, &ColourSwatch::clicked, this, &Form3::Picture1_Click);
    text2_ = new QLineEdit(Frame1_1_);
    text2_->setObjectName(QStringLiteral("text2"));
    place(text2_, 2400, 120, 495, 330);
    connect(text2_, &QLineEdit::textChanged, this, &Form3::text2_Change);
    VScroll1_ = new UpsideDownScrollBar(kMinFontSize, kMaxFontSize, Frame1_1_);
    VScroll1_->setObjectName(QStringLiteral("VScroll1"));
    place(VScroll1_, 2880, 145, 135, 255);
    connect(VScroll1_, &QScrollBar::valueChanged, this, &Form3::VScroll1_Change);
    Picture2_ = new ColourSwatch(Frame1_1_);
    Picture2_->setObjectName(QStringLiteral("Picture2"));
    place(Picture2_, 4200, 135, 495, 300);
    connect(Picture2_, &ColourSwatch::clicked, this, &Form3::Picture2_Click);
    xpcmdbutton1_ = new QPushButton(QStringLiteral("默认"), Frame1_1_);
    xpcmdbutton1_->setObjectName(QStringLiteral("xpcmdbutton1"));
    // A dialog makes its buttons default buttons; Return in the size box
    // must not restore the defaults behind the user's back.
    xpcmdbutton1_->setAutoDefault(false);
    xpcmdbutton1_->setDefault(false);
    place(xpcmdbutton1_, 4800, 120, 735, 375);
    connect(xpcmdbutton1_, &QPushButton::clicked, this, &Form3::xpcmdbutton1_Click);
}

void Form3::createCategoryChoices() {
    const QStringList names = Categories::names();
    double top = 350;
    for (int i = 0; i < names.size() && i + 1 < kChoices; ++i) {
        auto* option = new QRadioButton(names[i], Picture4_);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i + 1));
        const double left = i % 2 == 0 ? 100 : 100 + 2550;
        place(option, left, top, 2550, 195);
        option->resize(option->width(), Option1_[0]->height());
        option->setVisible(true);
        Option1_[i + 1] = option;
        if (i % 2 == 1) top += 250;
    }
}

void Form3::Form_Load() {
    Picture4_->resize(Picture4_->width(), Twips::toPixels(11.0 / 2 * 250 + 350));
    createCategoryChoices();
    for (QRadioButton* o : Option1_)
        if (o) o->setEnabled(true);

    // Fill in the documented order; each setting fires its handler. Values
    // the controls cannot show are clamped to their ranges.
    const SettingsRecord& s = main_.settings();
    const int seconds = clampTo(s.ctimeword, kMinSeconds, kMaxSeconds);
    const int size = clampTo(s.FontSizeNumber, kMinFontSize, kMaxFontSize);
    const int choice = clampTo(s.guageword, 0, kChoices - 1);
    const std::uint32_t txt = OleColour::fromNumber(s.txtColor);
    const std::uint32_t form = OleColour::fromNumber(s.formColor);
    Check1_->setChecked(s.ssaveword != 0);
    Check5_->setChecked(s.markword != 0);
    Check2_->setChecked(s.ontopword != 0);
    VScroll1_->setValue(size);
    text1_1_->setText(QString::number(seconds));
    VScroll2_->setValue(seconds);
    Check3_->setChecked(s.isnoSpeak != 0);
    Picture1_->setOleColour(txt);
    Picture2_->setOleColour(form);
    text2_->setText(QString::number(size));
    if (Option1_[choice]) Option1_[choice]->setChecked(true);
    qCInfo(lcSettings) << "options dialog loaded: seconds" << seconds << "size" << size << "choice"
                       << choice;
}

void Form3::Check1_Click() {
    main_.settings().ssaveword = Check1_->isChecked() ? 1 : 0;
}
void Form3::Check2_Click() {
    main_.settings().ontopword = Check2_->isChecked() ? 1 : 0;
}
void Form3::Check3_Click() {
    main_.settings().isnoSpeak = Check3_->isChecked() ? 1 : 0;
}
void Form3::Check5_Click() {
    main_.settings().markword = Check5_->isChecked() ? 1 : 0;
}

void Form3::VScroll2_Change() {
    text1_1_->setText(QString::number(VScroll2_->value()));
}
void Form3::VScroll1_Change() {
    text2_->setText(QString::number(VScroll1_->value()));
}

void Form3::text2_Change() {
    bool ok = false;
    const int size = text2_->text().trimmed().toInt(&ok, 10);
    if (!ok || size < kMinFontSize || size > kMaxFontSize) {
        qCDebug(lcSettings).noquote() << "font size text ignored:" << text2_->text();
        return;
    }
    fontSize_ = size;
    setLabelFont(size);
    main_.settings().FontSizeNumber = qint16(size);
    main_.AdjustSize();
    main_.repaint();
}

void Form3::Picture1_Click() {
    const std::optional<QColor> chosen = MessageBox::chooseColour(this);
    if (!chosen) return;
    const std::uint32_t ole = OleColour::fromColor(*chosen);
    Picture1_->setOleColour(ole);
    // The sample stays until the display cycle shows its next record.
    main_.LB()->setText(QLatin1String(kSample));
    setLabelColour(ole);
    main_.repaint();
}

void Form3::Picture2_Click() {
    const std::optional<QColor> chosen = MessageBox::chooseColour(this);
    if (!chosen) return;
    const std::uint32_t ole = OleColour::fromColor(*chosen);
    Picture2_->setOleColour(ole);
    setFormColour(ole);
    main_.repaint();
}

void Form3::xpcmdbutton1_Click() {
    Picture1_->setOleColour(kDefaultText);
    setLabelColour(kDefaultText);
    Picture2_->setOleColour(kDefaultForm);
    setFormColour(kDefaultForm);
    setLabelFont(kDefaultFontSize);
    text2_->setText(QString::number(kDefaultFontSize));
    main_.AdjustSize();
    main_.repaint();
}

void Form3::setLabelFont(int points) {
    QFont f = main_.LB()->font();
    f.setPointSize(points);
    main_.LB()->setFont(f);
}

void Form3::setLabelColour(std::uint32_t ole) {
    QPalette p = main_.LB()->palette();
    p.setColor(QPalette::WindowText, OleColour::toColor(ole));
    main_.LB()->setPalette(p);
}

void Form3::setFormColour(std::uint32_t ole) {
    QPalette p = main_.palette();
    p.setColor(QPalette::Window, OleColour::toColor(ole));
    main_.setPalette(p);
}

void Form3::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SettingsRecord& s = main_.settings();
    for (int i = 0; i < kChoices; ++i)
        if (Option1_[i] && Option1_[i]->isChecked()) s.guageword = qint16(i);
    s.ctimeword = qint16(VScroll2_->value());
    s.FontSizeNumber = qint16(fontSize_);
    if (s.ssaveword == 0) {
        qCInfo(lcSettings) << "options dialog closed without saving";
        return;
    }
    qCInfo(lcSettings) << "options dialog closed, saving";
    SetAutoRun(s);
    SettingsIo::save(main_.store(), s, Picture1_->oleColour(), Picture2_->oleColour());
    main_.frmForm_reload();
}

void Form3::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void Form3::showModal(FrmShow& main) {
    static QPointer<Form3> open;
    if (open) {  // at most one dialog
        open->raise();
        open->activateWindow();
        return;
    }
    QPointer<FrmShow> owner(&main);
    open = new Form3(main);
    WindowPlacement::placeBeside(*open, main);
    open->exec();
    delete open.data();  // released, so the next opening starts from the record
    if (owner) owner->frmForm_reload();
}
