// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/xp_canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <exception>

#include "platform/logging.h"
#include "skin/eventargs.h"
#include "skin/picturebox.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"
#include "skin/trans_colour.h"

namespace {

enum class FormState { Normal, Maximised, Minimised };

FormState stateOf(const QWidget* form) {
    const Qt::WindowStates s = form->windowState();
    if (s & Qt::WindowMinimized) return FormState::Minimised;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return FormState::Maximised;
    return FormState::Normal;
}

// New left, top, width and height as multiples of (dx, dy), by edge code: the
// dragged edges follow the mouse, the opposite ones stay put.
struct EdgeMove {
    int left, top, width, height;
};
constexpr EdgeMove kEdgeMoves[8] = {
    {1, 0, -1, 0},  {0, 0, 1, 0}, {0, 1, 0, -1}, {0, 0, 0, 1},
    {0, 0, 1, 1},   {1, 0, -1, 1}, {0, 1, 1, -1}, {1, 1, -1, -1},
};

constexpr Qt::CursorShape kZoneCursor[8] = {
    Qt::SizeHorCursor,   Qt::SizeHorCursor,   Qt::SizeVerCursor,   Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
};

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
    const struct {
        int index;
        QWidget* holder;
        QRect geometry;
    } grips[5] = {{6, pictop, {400, 0, 9, 9}},  {7, pictop, {0, 0, 9, 9}},
                  {2, pictop, {8, 0, 393, 9}},  {5, picbottom, {0, 0, 9, 9}},
                  {4, picbottom, {400, 0, 9, 9}}};
    for (const auto& g : grips) {
        auto* grip = new QWidget(g.holder);
        grip->setObjectName(QStringLiteral("imgresize%1").arg(g.index));
        grip->setGeometry(g.geometry);
        imgresize[g.index] = grip;
    }
    // The shadow is painted beneath the caption, or the dark copy would cover
    // the white text it is meant to set off, and it never takes the mouse: a
    // press on the caption text moves the window like a press on the caption.
    lblshadow = captionLabel(pictop, "lblshadow", {32, 8, 131, 18},
                             palette().color(QPalette::WindowText));
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

    for (QWidget* w : std::initializer_list<QWidget*>{pictop, lblcaption, picleft, picright,
                                                     picbottom})
        w->installEventFilter(this);
    for (QWidget* grip : imgresize)
        if (grip) grip->installEventFilter(this);

    connect(qApp, &QApplication::focusChanged, this, &xp_canvas::onFocusChanged);
    trackParent(parentWidget());

    skin_active();
    UserControl_Resize();
    constructing_ = false;
}

QWidget* xp_canvas::form() const { return parentWidget() ? window() : nullptr; }

xp_canvas::~xp_canvas() {
    // The focus leaves our children while QWidget's destructor runs, when this
    // is no longer an xp_canvas; the handler must not be called then.
    disconnect(qApp, &QApplication::focusChanged, this, &xp_canvas::onFocusChanged);
}

QString xp_canvas::Caption() const { return lblcaption->text(); }

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

void xp_canvas::InitProperties() { ReadProperties({}); }

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

void xp_canvas::UserControl_Resize() {
    // Qt measures every widget in pixels, so unlike the classic frame there
    // is no coordinate unit of the form to switch first.
    tryStep("surface", [&] {
        surface_ = QImage(size(), QImage::Format_RGB32);
        surface_.fill(QColor::fromRgb(kSurfaceColour));
        update();
        return true;
    });
    tryStep("borders", [&] {
        const int W = width(), H = height();
        pictop->setGeometry(0, 0, W, kBandHeight);
        picbottom->setGeometry(0, H - kBorder, W, kBorder);
        const int sideHeight = qMax(0, H - kBandHeight - kBorder);
        picleft->setGeometry(0, kBandHeight, kBorder, sideHeight);
        picright->setGeometry(W - kBorder, kBandHeight, kBorder, sideHeight);
        return true;
    });
    tryStep("side borders", [&] {
        const QPixmap left = imgleft->pixmap(), right = imgright->pixmap();
        if (left.isNull() || right.isNull()) return false;
        picleft->PaintPicture(left, picleft->rect(), left.rect());
        picright->PaintPicture(right, picright->rect(), right.rect());
        return true;
    });
    tryStep("title band", [&] {
        QWidget* f = form();
        if (!f) return false;
        const FormState state = stateOf(f);
        if (state == FormState::Minimised) return true;
        const QPixmap pic = (state == FormState::Normal ? imgtop : imgtopmax)->pixmap();
        if (pic.isNull()) return false;
        const int B = pictop->width(), H = pictop->height(), w = pic.width(), h = pic.height();
        // Only the middle stretches, so the rounded caps keep their shape at
        // any width.
        pictop->PaintPicture(pic, {0, 0, 5, H}, {0, 0, 5, h});
        pictop->PaintPicture(pic, {5, 0, B - 10, H}, {5, 0, w - 10, h});
        pictop->PaintPicture(pic, {B - 5, 0, 5, H}, {w - 5, 0, 5, h});
        return true;
    });
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
    tryStep("grips", [&] {
        // The bottom grips sit at the right end of their band even when that
        // pushes them partly below it; only the part inside shows.
        imgresize[4]->move(picbottom->width() - kGrip, picbottom->height() - kGrip);
        imgresize[2]->setGeometry(kGrip, 0, pictop->width() - 2 * kGrip, kGrip);
        QWidget* f = form();
        if (!f) return false;
        imgresize[6]->move(f->width() - kGrip, 0);
        return true;
    });
    tryStep("cursors", [&] {
        QWidget* f = form();
        if (!f) return false;
        const FormState state = stateOf(f);
        if (!fixed_ && state == FormState::Minimised) return true;
        QWidget* zones[8] = {picleft, picright, imgresize[2], picbottom,
                             imgresize[4], imgresize[5], imgresize[6], imgresize[7]};
        for (int code = 0; code < 8; ++code) {
            if (!fixed_ && state == FormState::Normal) zones[code]->setCursor(kZoneCursor[code]);
            else zones[code]->unsetCursor();
        }
        return true;
    });
    tryStep("pending events", [&] {
        // Not while the frame is being built: the form around it is not
        // finished yet and must not see its own events.
        if (constructing_) return false;
        // Paints and the like only: the layout also runs inside focus and
        // mouse handlers, and delivering the matching mouse release from in
        // there leaves the press grabbed by the wrong widget.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    });
    emit Resize();
}

void xp_canvas::applyLook(int set) {
    look_ = set == 0 ? Look::Active : Look::Inactive;
    QLabel* holders[5] = {imgleft, imgright, imgtop, imgtopmax, imgbottom};
    for (int role = 0; role < 5; ++role) holders[role]->setPixmap(skinSets[set][role]->pixmap());
}

void xp_canvas::skin_active() { applyLook(0); }
void xp_canvas::skin_inactive() { applyLook(1); }

void xp_canvas::onFocusChanged(QWidget* old, QWidget* now) {
    auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    const bool wasInside = inside(old), isInside = inside(now);
    // Focus leaving changes nothing by itself: when the form stops being the
    // active window, its deactivation follows.
    if (isInside && now == this && old != this) UserControl_GotFocus();
    else if (isInside && !wasInside)
        UserControl_EnterFocus();
}

void xp_canvas::UserControl_EnterFocus() {
    skin_active();
    UserControl_Resize();
}

void xp_canvas::UserControl_GotFocus() {
    skin_active();
    UserControl_Resize();
}

// The look of the form's activation as it is now, not as the event that
// brought us here said: a change that arrives during the layout below runs
// this again from within it, and its layout is the one that stays. With no
// active window at all the form is not the active one: inactive.
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

// The system move starts once the pointer really drags, not on the press:
// under a window manager the move grabs the pointer, and a second click of a
// double click would never reach the band.
void xp_canvas::beginMove(QWidget* from, int X, int Y) {
    QWidget* f = form();
    if (!f || stateOf(f) != FormState::Normal) return;
    moveArmed_ = true;
    moving_ = false;
    moveFrom_ = from->mapToGlobal(QPoint(X, Y));
    formFrom_ = f->pos();
}

void xp_canvas::followMove(QWidget* from, int X, int Y) {
    QWidget* f = form();
    if (!moveArmed_ || !f) return;
    const QPoint now = from->mapToGlobal(QPoint(X, Y));
    if (!moving_) {
        if ((now - moveFrom_).manhattanLength() < QApplication::startDragDistance()) return;
        QWindow* window = f->windowHandle();
        if (window && window->startSystemMove()) {
            qCDebug(lcSkin) << "system move of" << f->objectName();
            moveArmed_ = false;
            return;
        }
        // No window manager to move it: follow the mouse ourselves.
        qCDebug(lcSkin) << "moving" << f->objectName() << "without the window system";
        moving_ = true;
    }
    f->move(formFrom_ + now - moveFrom_);
}

void xp_canvas::endMove() { moveArmed_ = moving_ = false; }

void xp_canvas::toggleMaximised() {
    QWidget* f = form();
    if (fixed_ || !f) return;
    qCDebug(lcSkin) << "title double-click on" << f->objectName() << f->windowState();
    if (stateOf(f) == FormState::Normal) f->showMaximized();
    else f->showNormal();
}

void xp_canvas::pictop_MouseDown(int, int, int X, int Y) {
    beginMove(pictop, X, Y);
    // As in the layout: no input from in here, or the release that ends
    // this press would be handled before the press itself is.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
void xp_canvas::pictop_MouseMove(int Button, int, int X, int Y) {
    if (Button) followMove(pictop, X, Y);
}
void xp_canvas::pictop_MouseUp(int, int, int, int) { endMove(); }
void xp_canvas::pictop_DblClick() { toggleMaximised(); }

void xp_canvas::lblcaption_MouseDown(int, int, int X, int Y) { beginMove(lblcaption, X, Y); }
void xp_canvas::lblcaption_MouseMove(int Button, int, int X, int Y) {
    if (Button) followMove(lblcaption, X, Y);
}
void xp_canvas::lblcaption_MouseUp(int, int, int, int) { endMove(); }
void xp_canvas::lblcaption_DblClick() { toggleMaximised(); }

void xp_canvas::zonePressed(QWidget* zone, int X, int Y) {
    if (fixed_) return;
    pressPoint_ = zone->mapToGlobal(QPoint(X, Y));
}

void xp_canvas::zoneReleased(QWidget* zone, int code, int X, int Y) {
    if (fixed_) return;
    releasePoint_ = zone->mapToGlobal(QPoint(X, Y));
    if (QWidget* f = form()) drag_resize(f, pressPoint_, releasePoint_, code);
}

void xp_canvas::picleft_MouseDown(int, int, int X, int Y) { zonePressed(picleft, X, Y); }
void xp_canvas::picleft_MouseUp(int, int, int X, int Y) { zoneReleased(picleft, 0, X, Y); }
void xp_canvas::picright_MouseDown(int, int, int X, int Y) { zonePressed(picright, X, Y); }
void xp_canvas::picright_MouseUp(int, int, int X, int Y) { zoneReleased(picright, 1, X, Y); }
void xp_canvas::picbottom_MouseDown(int, int, int X, int Y) { zonePressed(picbottom, X, Y); }
void xp_canvas::picbottom_MouseUp(int, int, int X, int Y) { zoneReleased(picbottom, 3, X, Y); }
void xp_canvas::imgresize_MouseDown(int Index, int, int, int X, int Y) {
    zonePressed(imgresize[Index], X, Y);
}
void xp_canvas::imgresize_MouseUp(int Index, int, int, int X, int Y) {
    zoneReleased(imgresize[Index], Index, X, Y);
}

void xp_canvas::drag_resize(QWidget* target, QPoint press, QPoint release, int code) {
    if (code < 0 || code > 7) return;
    // Qt positions are pixels already, so dx and dy need no conversion.
    const int dx = release.x() - press.x(), dy = release.y() - press.y();
    const QRect g = target->geometry();
    const EdgeMove& m = kEdgeMoves[code];
    const QRect wanted(g.x() + m.left * dx, g.y() + m.top * dy, g.width() + m.width * dx,
                       g.height() + m.height * dy);
    // Refused moves leave the window as it was, the way the window system
    // refuses to size a maximised window or give it a negative size.
    if (stateOf(target) != FormState::Normal || wanted.width() < 0 || wanted.height() < 0) {
        qCDebug(lcSkin) << "resize refused:" << code << wanted << target->windowState();
        return;
    }
    target->setGeometry(wanted);
    qCDebug(lcSkin) << "resized" << target->objectName() << "by code" << code << "to" << wanted;
}

bool xp_canvas::dispatchMouse(QObject* watched, QMouseEvent* e) {
    const QEvent::Type type = e->type();
    const int button = type == QEvent::MouseMove ? EventArgs::buttons(e->buttons())
                                                 : EventArgs::button(e->button());
    const int shift = EventArgs::shift(e->modifiers());
    const QPoint p = e->position().toPoint();
    const bool down = type == QEvent::MouseButtonPress, up = type == QEvent::MouseButtonRelease;
    const bool move = type == QEvent::MouseMove, dbl = type == QEvent::MouseButtonDblClick;
    if (watched == pictop) {
        if (down) pictop_MouseDown(button, shift, p.x(), p.y());
        if (move) pictop_MouseMove(button, shift, p.x(), p.y());
        if (up) pictop_MouseUp(button, shift, p.x(), p.y());
        if (dbl) pictop_DblClick();
        return true;
    }
    if (watched == lblcaption) {
        if (down) lblcaption_MouseDown(button, shift, p.x(), p.y());
        if (move) lblcaption_MouseMove(button, shift, p.x(), p.y());
        if (up) lblcaption_MouseUp(button, shift, p.x(), p.y());
        if (dbl) lblcaption_DblClick();
        return true;
    }
    const struct {
        QWidget* zone;
        void (xp_canvas::*press)(int, int, int, int);
        void (xp_canvas::*release)(int, int, int, int);
    } borders[3] = {{picleft, &xp_canvas::picleft_MouseDown, &xp_canvas::picleft_MouseUp},
                    {picright, &xp_canvas::picright_MouseDown, &xp_canvas::picright_MouseUp},
                    {picbottom, &xp_canvas::picbottom_MouseDown, &xp_canvas::picbottom_MouseUp}};
    for (const auto& b : borders) {
        if (watched != b.zone) continue;
        if (down) (this->*b.press)(button, shift, p.x(), p.y());
        if (up) (this->*b.release)(button, shift, p.x(), p.y());
        return true;
    }
    for (int i = 0; i < 8; ++i) {
        if (!imgresize[i] || watched != imgresize[i]) continue;
        if (down) imgresize_MouseDown(i, button, shift, p.x(), p.y());
        if (up) imgresize_MouseUp(i, button, shift, p.x(), p.y());
        return true;
    }
    return false;
}

bool xp_canvas::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (watched != trackedParent_ && dispatchMouse(watched, static_cast<QMouseEvent*>(e)))
                return true;
            break;
        case QEvent::Resize:
            if (watched == trackedParent_ && trackedParent_) {
                const auto* re = static_cast<QResizeEvent*>(e);
                if (geometry() == QRect(QPoint(0, 0), re->oldSize())) resize(re->size());
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, e);
}

void xp_canvas::trackParent(QWidget* parent) {
    if (trackedParent_) trackedParent_->removeEventFilter(this);
    trackedParent_ = parent;
    if (parent) parent->installEventFilter(this);
}

bool xp_canvas::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::ParentChange:
            trackParent(parentWidget());
            break;
        // The form passes its own activation on to its visible children.
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            followActivation();
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
    QMetaObject::invokeMethod(this, &xp_canvas::followActivation, Qt::QueuedConnection);
}

void xp_canvas::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), surface_, e->rect());
}

void xp_canvas::resizeEvent(QResizeEvent*) {
    if (!constructing_) UserControl_Resize();
}

void xp_canvas::mousePressEvent(QMouseEvent* e) {
    pressedHere_ = e->button() == Qt::LeftButton;
    emit MouseDown(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                   e->position().toPoint().x(), e->position().toPoint().y());
}

void xp_canvas::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(EventArgs::buttons(e->buttons()), EventArgs::shift(e->modifiers()),
                   e->position().toPoint().x(), e->position().toPoint().y());
}

void xp_canvas::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                 e->position().toPoint().x(), e->position().toPoint().y());
    const bool click = pressedHere_ && e->button() == Qt::LeftButton &&
                       rect().contains(e->position().toPoint());
    pressedHere_ = false;
    if (click) emit Click();
}

// Qt delivers the second press of a double click as a press too; its release
// makes no second Click.
void xp_canvas::mouseDoubleClickEvent(QMouseEvent*) {
    pressedHere_ = false;
    emit DblClick();
}

void xp_canvas::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(e->key(), EventArgs::shift(e->modifiers()));
    if (!e->text().isEmpty()) emit KeyPress(e->text().at(0).unicode());
}

void xp_canvas::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    emit KeyUp(e->key(), EventArgs::shift(e->modifiers()));
}
