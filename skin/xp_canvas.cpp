// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/xp_canvas.h"

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

xp_canvas::xp_canvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(410, 332);

    pictop = new PictureBox(this);
    pictop->setObjectName(QStringLiteral("pictop"));
    picbottom = new PictureBox(this);
    picbottom->setObjectName(QStringLiteral("picbottom"));
    picleft = new PictureBox(this);
    picleft->setObjectName(QStringLiteral("picleft"));
    picright = new PictureBox(this);
    picright->setObjectName(QStringLiteral("picright"));

    // Inside the band, bottom to top: caption, icon, the three top grips.
    lblcaption = captionLabel(pictop, "lblcaption", {26, 8, 131, 18}, Qt::white);
    imgicon = new QLabel(pictop);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setScaledContents(true);
    imgicon->setGeometry(6, 8, 16, 16);
    buildGrips();
    // The shadow is painted beneath the caption, or the dark copy would cover
    // the white text it is meant to set off, and it never takes the mouse: a
    // press on the caption text moves the window like a press on the caption.
    lblshadow =
        captionLabel(pictop, "lblshadow", {32, 8, 131, 18}, palette().color(QPalette::WindowText));
    lblshadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblshadow->stackUnder(lblcaption);

    Image1 = hiddenImage(this, QStringLiteral("Image1"), SkinArt::load(QStringLiteral("Image1")));
    Image1->setGeometry(48, 80, 16, 16);
    // A new frame shows the default icon until one is set.
    icon_ = Image1->pixmap();
    imgicon->setPixmap(icon_);
    QLabel** holders[5] = {&imgleft, &imgright, &imgtop, &imgtopmax, &imgbottom};
    for (int role = 0; role < 5; ++role) {
        const QString name = QLatin1String(kRoles[role]);
        *holders[role] = hiddenImage(this, name, {});
        for (int set = 0; set < 2; ++set) {
            const QString setName = name + QString::number(set + 1);
            skinSets[set][role] = hiddenImage(this, setName, SkinArt::load(setName));
        }
    }

    pictop->installEventFilter(this);
    lblcaption->installEventFilter(this);
    for (const Zone& z : zones_) z.widget->installEventFilter(this);

    connect(&focusWatch_, &FocusWatch::gotFocus, this, &xp_canvas::UserControl_GotFocus);
    connect(&focusWatch_, &FocusWatch::entered, this, &xp_canvas::UserControl_EnterFocus);
    trackParent(parentWidget());

    skin_active();
    UserControl_Resize();
    constructing_ = false;
}

// The grips lie in the bands, bottom to top in this order; the borders are
// zones of their own.
void xp_canvas::buildGrips() {
    const struct {
        Edge edge;
        QWidget* holder;
        QRect geometry;
    } grips[5] = {{Edge::TopRight, pictop, {400, 0, 9, 9}},
                  {Edge::TopLeft, pictop, {0, 0, 9, 9}},
                  {Edge::Top, pictop, {8, 0, 393, 9}},
                  {Edge::BottomLeft, picbottom, {0, 0, 9, 9}},
                  {Edge::BottomRight, picbottom, {400, 0, 9, 9}}};
    for (const auto& g : grips) {
        auto* grip = new QWidget(g.holder);
        grip->setObjectName(QStringLiteral("imgresize%1").arg(edges::code(g.edge)));
        grip->setGeometry(g.geometry);
        zones_[edges::code(g.edge)] = {grip, g.edge};
    }
    for (const Zone& border :
         {Zone{picleft, Edge::Left}, Zone{picright, Edge::Right}, Zone{picbottom, Edge::Bottom}})
        zones_[edges::code(border.edge)] = border;
}

QWidget* xp_canvas::form() const {
    return parentWidget() ? window() : nullptr;
}

QString xp_canvas::Caption() const {
    return lblcaption->text();
}

void xp_canvas::setCaption(const QString& caption) {
    lblcaption->setText(caption);
    lblshadow->setText(caption);
    // The form's own title is what the task bar and window lists show.
    if (QWidget* f = form()) f->setWindowTitle(caption);
    UserControl_Resize();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void xp_canvas::setIcon(const QPixmap& icon) {
    icon_ = icon;
    imgicon->setPixmap(icon);
    emit PropertyChanged(QStringLiteral("Icon"));
}

void xp_canvas::setFixed_Single(bool fixed) {
    fixed_ = fixed;
    UserControl_Resize();
}

void xp_canvas::SetFocus() {
    skin_active();
    UserControl_Resize();
}

void xp_canvas::InitProperties() {
    ReadProperties({});
}

void xp_canvas::ReadProperties(const QVariantMap& bag) {
    setCaption(PropertyBag::read(bag, QStringLiteral("Caption"), objectName()).toString());
    const QVariant icon = PropertyBag::read(bag, QStringLiteral("Icon"), {});
    setIcon(icon.canConvert<QPixmap>() && !icon.value<QPixmap>().isNull() ? icon.value<QPixmap>()
                                                                          : Image1->pixmap());
    setFixed_Single(PropertyBag::read(bag, QStringLiteral("Fixed_Single"), false).toBool());
}

QVariantMap xp_canvas::WriteProperties() const {
    QVariantMap bag;
    if (Caption() != objectName()) bag.insert(QStringLiteral("Caption"), Caption());
    if (icon_.cacheKey() != Image1->pixmap().cacheKey())
        bag.insert(QStringLiteral("Icon"), QVariant::fromValue(icon_));
    if (fixed_) bag.insert(QStringLiteral("Fixed_Single"), true);
    return bag;
}

void xp_canvas::make_trans(QWidget* target) {
    if (!target) return;
    // The form's own drawing surface, cleared to its background: the frame
    // covers the form on screen, so the screen image would show the frame.
    QImage formSurface(target->size(), QImage::Format_RGB32);
    formSurface.fill(target->palette().color(target->backgroundRole()));
    if (stateOf(target) == FormState::Normal) {
        const QPixmap picture = imgtop->pixmap();
        const int T = pictop->height(), B = pictop->width();
        const int w = picture.width(), h = picture.height();
        QPainter p(&formSurface);
        p.drawPixmap(QRect(0, 0, 5, T), picture, QRect(0, 0, 5, h));
        p.drawPixmap(QRect(B - 5, 0, 5, T), picture, QRect(w - 5, 0, 5, h));
    }
    trans_colour::cut_region(target, formSurface, kKeyColour);
}

// The whole layout, once per change: a layout asked for while this one runs
// (by a handler of Resize, say) is queued and runs after it, never inside it.
void xp_canvas::UserControl_Resize() {
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
        const QPixmap bottom = imgbottom->pixmap();
        if (bottom.isNull()) return false;
        picbottom->PaintPicture(bottom, picbottom->rect(), bottom.rect());
        return true;
    });
    tryStep("labels", [&] {
        lblcaption->move(26, 6);
        lblshadow->move(28, 8);
        return true;
    });
    tryStep("grips", [&] { return placeGrips(); });
    tryStep("cursors", [&] { return setCursors(); });
    emit Resize();
    layingOut_ = false;
}

// Coalesced: however many requests come before it runs, one layout.
void xp_canvas::requestLayout() {
    if (layoutQueued_) return;
    layoutQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            layoutQueued_ = false;
            UserControl_Resize();
        },
        Qt::QueuedConnection);
}

bool xp_canvas::placeBands() {
    const int W = width(), H = height();
    pictop->setGeometry(0, 0, W, kBandHeight);
    picbottom->setGeometry(0, H - kBorder, W, kBorder);
    const int sideHeight = qMax(0, H - kBandHeight - kBorder);
    picleft->setGeometry(0, kBandHeight, kBorder, sideHeight);
    picright->setGeometry(W - kBorder, kBandHeight, kBorder, sideHeight);
    return true;
}

bool xp_canvas::paintSides() {
    const QPixmap left = imgleft->pixmap(), right = imgright->pixmap();
    if (left.isNull() || right.isNull()) return false;
    picleft->PaintPicture(left, picleft->rect(), left.rect());
    picright->PaintPicture(right, picright->rect(), right.rect());
    return true;
}

bool xp_canvas::paintTitleBand() {
    QWidget* f = form();
    if (!f) return false;
    const FormState state = stateOf(f);
    if (state == FormState::Minimised) return true;
    const QPixmap held = (state == FormState::Normal ? imgtop : imgtopmax)->pixmap();
    if (held.isNull()) return false;
    // The rounded corners are see-through only where the window region is
    // honoured; everywhere else they show the frame's own colour.
    const QPixmap pic =
        trans_colour::without_key(held, kKeyColour, QColor::fromRgb(kSurfaceColour));
    const int B = pictop->width(), H = pictop->height(), w = pic.width(), h = pic.height();
    // Only the middle stretches, so the rounded caps keep their shape at any
    // width.
    pictop->PaintPicture(pic, {0, 0, 5, H}, {0, 0, 5, h});
    pictop->PaintPicture(pic, {5, 0, B - 10, H}, {5, 0, w - 10, h});
    pictop->PaintPicture(pic, {B - 5, 0, 5, H}, {w - 5, 0, 5, h});
    return true;
}

bool xp_canvas::placeGrips() {
    // The bottom grips sit at the right end of their band even when that
    // pushes them partly below it; only the part inside shows.
    zone(Edge::BottomRight)->move(picbottom->width() - kGrip, picbottom->height() - kGrip);
    zone(Edge::Top)->setGeometry(kGrip, 0, pictop->width() - 2 * kGrip, kGrip);
    QWidget* f = form();
    if (!f) return false;
    zone(Edge::TopRight)->move(f->width() - kGrip, 0);
    return true;
}

bool xp_canvas::setCursors() {
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

void xp_canvas::applyLook(int set) {
    look_ = set == 0 ? Look::Active : Look::Inactive;
    QLabel* holders[5] = {imgleft, imgright, imgtop, imgtopmax, imgbottom};
    for (int role = 0; role < 5; ++role) holders[role]->setPixmap(skinSets[set][role]->pixmap());
}

void xp_canvas::skin_active() {
    applyLook(0);
}
void xp_canvas::skin_inactive() {
    applyLook(1);
}

void xp_canvas::UserControl_EnterFocus() {
    skin_active();
    UserControl_Resize();
}

void xp_canvas::UserControl_GotFocus() {
    skin_active();
    UserControl_Resize();
}

// The look of the form's activation as it is when this runs, not as the
// event that asked for it said: of several changes queued meanwhile the last
// one wins. With no active window at all the form is not the active one:
// inactive.
void xp_canvas::followActivation() {
    QWidget* f = form();
    const Look wanted = f && QApplication::activeWindow() == f ? Look::Active : Look::Inactive;
    if (wanted == look_) return;
    if (wanted == Look::Active)
        skin_active();
    else
        skin_inactive();
    UserControl_Resize();
}

bool xp_canvas::event(QEvent* e) {
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
void xp_canvas::showEvent(QShowEvent*) {
    requestFollowActivation();
}

void xp_canvas::requestFollowActivation() {
    if (followQueued_) return;
    followQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followQueued_ = false;
            followActivation();
        },
        Qt::QueuedConnection);
}

void xp_canvas::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), surface_, e->rect());
}

void xp_canvas::resizeEvent(QResizeEvent*) {
    if (!constructing_) UserControl_Resize();
}
