// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinframe.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <exception>

#include "platform/logging.h"
#include "skin/formstate.h"
#include "skin/picturebox.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"
#include "skin/trans_colour.h"

namespace {

const char* const kRoles[5] = {"imgleft", "imgright", "imgtop", "imgtopmax", "imgbottom"};

// A layout step that cannot run (no form, no picture) is skipped and the
// next one still runs, so a partly usable frame still shows what it can.
template <class Step>
void tryStep(const char* name, Step&& step) {
    try {
        if (!step()) qCDebug(lcSkin) << "layout step skipped:" << name;
    } catch (const std::exception& e) {
        qCDebug(lcSkin) << "layout step failed:" << name << e.what();
    }
}

QLabel* hiddenImage(QWidget* parent, const QString& name, const QPixmap& picture) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setPixmap(picture);
    image->hide();
    return image;
}

QLabel* captionLabel(QWidget* parent, const char* name, const QRect& geometry, const QColor& ink) {
    auto* label = new QLabel(QStringLiteral("Windows XP Controls"), parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    QPalette pal = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, ink);
    label->setPalette(pal);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

SkinFrame::SkinFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(410, 332);

    titleBand_ = new PictureBox(this);
    titleBand_->setObjectName(QStringLiteral("pictop"));
    bottomBorder_ = new PictureBox(this);
    bottomBorder_->setObjectName(QStringLiteral("picbottom"));
    leftBorder_ = new PictureBox(this);
    leftBorder_->setObjectName(QStringLiteral("picleft"));
    rightBorder_ = new PictureBox(this);
    rightBorder_->setObjectName(QStringLiteral("picright"));

    // Inside the band, bottom to top: caption, icon, the three top grips.
    caption_ = captionLabel(titleBand_, "lblcaption", {26, 8, 131, 18}, Qt::white);
    iconImage_ = new QLabel(titleBand_);
    iconImage_->setObjectName(QStringLiteral("imgicon"));
    iconImage_->setScaledContents(true);
    iconImage_->setGeometry(6, 8, 16, 16);
    buildGrips();
    // The shadow is painted beneath the caption, or the dark copy would cover
    // the white text it is meant to set off, and it never takes the mouse: a
    // press on the caption text moves the window like a press on the caption.
    captionShadow_ = captionLabel(titleBand_, "lblshadow", {32, 8, 131, 18},
                                  palette().color(QPalette::WindowText));
    captionShadow_->setAttribute(Qt::WA_TransparentForMouseEvents);
    captionShadow_->stackUnder(caption_);

    defaultIcon_ =
        hiddenImage(this, QStringLiteral("Image1"), SkinArt::load(QStringLiteral("Image1")));
    defaultIcon_->setGeometry(48, 80, 16, 16);
    // A new frame shows the default icon until one is set.
    icon_ = defaultIcon_->pixmap();
    iconImage_->setPixmap(icon_);
    QLabel** holders[5] = {&heldLeft_, &heldRight_, &heldTop_, &heldTopMax_, &heldBottom_};
    for (int role = 0; role < 5; ++role) {
        const QString name = QLatin1String(kRoles[role]);
        *holders[role] = hiddenImage(this, name, {});
        for (int set = 0; set < 2; ++set) {
            const QString setName = name + QString::number(set + 1);
            lookSets_[set][role] = hiddenImage(this, setName, SkinArt::load(setName));
        }
    }

    titleBand_->installEventFilter(this);
    caption_->installEventFilter(this);
    for (const Zone& z : zones_) z.widget->installEventFilter(this);

    connect(&focusWatch_, &FocusWatch::gotFocus, this, &SkinFrame::onGotFocus);
    connect(&focusWatch_, &FocusWatch::entered, this, &SkinFrame::onFocusEntered);
    trackParent(parentWidget());

    useActiveLook();
    layoutParts();
    constructing_ = false;
}

// The grips lie in the bands, bottom to top in this order; the borders are
// zones of their own.
void SkinFrame::buildGrips() {
    const struct {
        Edge edge;
        QWidget* holder;
        QRect geometry;
    } grips[5] = {{Edge::TopRight, titleBand_, {400, 0, 9, 9}},
                  {Edge::TopLeft, titleBand_, {0, 0, 9, 9}},
                  {Edge::Top, titleBand_, {8, 0, 393, 9}},
                  {Edge::BottomLeft, bottomBorder_, {0, 0, 9, 9}},
                  {Edge::BottomRight, bottomBorder_, {400, 0, 9, 9}}};
    for (const auto& g : grips) {
        auto* grip = new QWidget(g.holder);
        grip->setObjectName(QStringLiteral("imgresize%1").arg(edges::code(g.edge)));
        grip->setGeometry(g.geometry);
        zones_[edges::code(g.edge)] = {grip, g.edge};
    }
    for (const Zone& border : {Zone{leftBorder_, Edge::Left}, Zone{rightBorder_, Edge::Right},
                               Zone{bottomBorder_, Edge::Bottom}})
        zones_[edges::code(border.edge)] = border;
}

QWidget* SkinFrame::form() const {
    return parentWidget() ? window() : nullptr;
}

QString SkinFrame::caption() const {
    return caption_->text();
}

void SkinFrame::setCaption(const QString& caption) {
    caption_->setText(caption);
    captionShadow_->setText(caption);
    // The form's own title is what the task bar and window lists show.
    if (QWidget* f = form()) f->setWindowTitle(caption);
    layoutParts();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void SkinFrame::setIcon(const QPixmap& icon) {
    icon_ = icon;
    iconImage_->setPixmap(icon);
    emit PropertyChanged(QStringLiteral("Icon"));
}

void SkinFrame::setFixedFrame(bool fixed) {
    fixed_ = fixed;
    layoutParts();
}

void SkinFrame::refreshActive() {
    useActiveLook();
    layoutParts();
}

void SkinFrame::loadDefaults() {
    loadProperties({});
}

void SkinFrame::loadProperties(const QVariantMap& bag) {
    setCaption(PropertyBag::read(bag, QStringLiteral("Caption"), objectName()).toString());
    const QVariant icon = PropertyBag::read(bag, QStringLiteral("Icon"), {});
    setIcon(icon.canConvert<QPixmap>() && !icon.value<QPixmap>().isNull() ? icon.value<QPixmap>()
                                                                          : defaultIcon_->pixmap());
    setFixedFrame(PropertyBag::read(bag, QStringLiteral("Fixed_Single"), false).toBool());
}

QVariantMap SkinFrame::storedProperties() const {
    QVariantMap bag;
    if (caption() != objectName()) bag.insert(QStringLiteral("Caption"), caption());
    if (icon_.cacheKey() != defaultIcon_->pixmap().cacheKey())
        bag.insert(QStringLiteral("Icon"), QVariant::fromValue(icon_));
    if (fixed_) bag.insert(QStringLiteral("Fixed_Single"), true);
    return bag;
}

void SkinFrame::cutCorners(QWidget* target) {
    if (!target) return;
    // The form's own drawing surface, cleared to its background: the frame
    // covers the form on screen, so the screen image would show the frame.
    QImage formSurface(target->size(), QImage::Format_RGB32);
    formSurface.fill(target->palette().color(target->backgroundRole()));
    if (stateOf(target) == FormState::Normal) {
        const QPixmap picture = heldTop_->pixmap();
        const int T = titleBand_->height(), B = titleBand_->width();
        const int w = picture.width(), h = picture.height();
        QPainter p(&formSurface);
        p.drawPixmap(QRect(0, 0, 5, T), picture, QRect(0, 0, 5, h));
        p.drawPixmap(QRect(B - 5, 0, 5, T), picture, QRect(w - 5, 0, 5, h));
    }
    trans_colour::cut_region(target, formSurface, kKeyColour);
}

// The whole layout, once per change: a layout asked for while this one runs
// (by a handler of Resize, say) is queued and runs after it, never inside it.
void SkinFrame::layoutParts() {
    if (layingOut_) {
        requestLayout();
        return;
    }
    layingOut_ = true;
    // Qt measures every widget in pixels, so unlike the classic frame there
    // is no coordinate unit of the form to switch first.
    tryStep("surface", [&] {
        surface_ = QImage(size(), QImage::Format_RGB32);
        surface_.fill(QColor::fromRgb(kSurfaceColour));
        update();
        return true;
    });
    tryStep("borders", [&] { return placeBands(); });
    tryStep("side borders", [&] { return paintSides(); });
    tryStep("title band", [&] { return paintTitleBand(); });
    tryStep("bottom border", [&] {
        const QPixmap bottom = heldBottom_->pixmap();
        if (bottom.isNull()) return false;
        bottomBorder_->PaintPicture(bottom, bottomBorder_->rect(), bottom.rect());
        return true;
    });
    tryStep("labels", [&] {
        caption_->move(26, 6);
        captionShadow_->move(28, 8);
        return true;
    });
    tryStep("grips", [&] { return placeGrips(); });
    tryStep("cursors", [&] { return setCursors(); });
    emit Resize();
    layingOut_ = false;
}

// Coalesced: however many requests come before it runs, one layout.
void SkinFrame::requestLayout() {
    runOnceQueued(layoutQueued_, &SkinFrame::layoutParts);
}

// Runs `step` once the events in hand are handled; `queued` keeps the
// requests that come before then to that one run.
void SkinFrame::runOnceQueued(bool& queued, void (SkinFrame::*step)()) {
    if (queued) return;
    queued = true;
    QMetaObject::invokeMethod(
        this,
        [this, &queued, step] {
            queued = false;
            (this->*step)();
        },
        Qt::QueuedConnection);
}

bool SkinFrame::placeBands() {
    const int W = width(), H = height();
    titleBand_->setGeometry(0, 0, W, kBandHeight);
    bottomBorder_->setGeometry(0, H - kBorder, W, kBorder);
    const int sideHeight = qMax(0, H - kBandHeight - kBorder);
    leftBorder_->setGeometry(0, kBandHeight, kBorder, sideHeight);
    rightBorder_->setGeometry(W - kBorder, kBandHeight, kBorder, sideHeight);
    return true;
}

bool SkinFrame::paintSides() {
    const QPixmap left = heldLeft_->pixmap(), right = heldRight_->pixmap();
    if (left.isNull() || right.isNull()) return false;
    leftBorder_->PaintPicture(left, leftBorder_->rect(), left.rect());
    rightBorder_->PaintPicture(right, rightBorder_->rect(), right.rect());
    return true;
}

bool SkinFrame::paintTitleBand() {
    QWidget* f = form();
    if (!f) return false;
    const FormState state = stateOf(f);
    if (state == FormState::Minimised) return true;
    const QPixmap held = (state == FormState::Normal ? heldTop_ : heldTopMax_)->pixmap();
    if (held.isNull()) return false;
    // The rounded corners are see-through only where the window region is
    // honoured; everywhere else they show the frame's own colour.
    const QPixmap pic =
        trans_colour::without_key(held, kKeyColour, QColor::fromRgb(kSurfaceColour));
    const int B = titleBand_->width(), H = titleBand_->height(), w = pic.width(), h = pic.height();
    // Only the middle stretches, so the rounded caps keep their shape at any
    // width.
    titleBand_->PaintPicture(pic, {0, 0, 5, H}, {0, 0, 5, h});
    titleBand_->PaintPicture(pic, {5, 0, B - 10, H}, {5, 0, w - 10, h});
    titleBand_->PaintPicture(pic, {B - 5, 0, 5, H}, {w - 5, 0, 5, h});
    return true;
}

bool SkinFrame::placeGrips() {
    // The bottom grips sit at the right end of their band even when that
    // pushes them partly below it; only the part inside shows.
    zone(Edge::BottomRight)->move(bottomBorder_->width() - kGrip, bottomBorder_->height() - kGrip);
    zone(Edge::Top)->setGeometry(kGrip, 0, titleBand_->width() - 2 * kGrip, kGrip);
    QWidget* f = form();
    if (!f) return false;
    zone(Edge::TopRight)->move(f->width() - kGrip, 0);
    return true;
}

bool SkinFrame::setCursors() {
    QWidget* f = form();
    if (!f) return false;
    const FormState state = stateOf(f);
    if (!fixed_ && state == FormState::Minimised) return true;
    for (const Zone& z : zones_) {
        if (!fixed_ && state == FormState::Normal)
            z.widget->setCursor(edges::cursor(z.edge));
        else
            z.widget->unsetCursor();
    }
    return true;
}

void SkinFrame::applyLook(int set) {
    look_ = set == 0 ? Look::Active : Look::Inactive;
    QLabel* holders[5] = {heldLeft_, heldRight_, heldTop_, heldTopMax_, heldBottom_};
    for (int role = 0; role < 5; ++role) holders[role]->setPixmap(lookSets_[set][role]->pixmap());
}

void SkinFrame::useActiveLook() {
    applyLook(0);
}
void SkinFrame::useInactiveLook() {
    applyLook(1);
}

void SkinFrame::onFocusEntered() {
    useActiveLook();
    layoutParts();
}

void SkinFrame::onGotFocus() {
    useActiveLook();
    layoutParts();
}

// The look of the form's activation as it is when this runs, not as the
// event that asked for it said: of several changes queued meanwhile the last
// one wins. With no active window at all the form is not the active one:
// inactive.
void SkinFrame::followActivation() {
    QWidget* f = form();
    const Look wanted = f && QApplication::activeWindow() == f ? Look::Active : Look::Inactive;
    if (wanted == look_) return;
    if (wanted == Look::Active)
        useActiveLook();
    else
        useInactiveLook();
    layoutParts();
}

bool SkinFrame::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::ParentChange:
            trackParent(parentWidget());
            break;
        // The form passes its own activation on to its visible children. It
        // does so also while its destructor takes the window down; handled
        // from the queue, that one never reaches the form.
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            requestFollowActivation();
            break;
        default:
            break;
    }
    return QWidget::event(e);
}

// A frame being shown (with its form, or on its own) takes the look that
// matches whether its form is the active window, once the showing is over;
// from then on the activation events keep it right. A hidden frame hears
// nothing of them.
void SkinFrame::showEvent(QShowEvent*) {
    requestFollowActivation();
}

void SkinFrame::requestFollowActivation() {
    runOnceQueued(followQueued_, &SkinFrame::followActivation);
}

void SkinFrame::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), surface_, e->rect());
}

void SkinFrame::resizeEvent(QResizeEvent*) {
    if (!constructing_) layoutParts();
}
