// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's mouse and keyboard: moving the form by its title band,
// maximising by a double click, sizing by the borders and grips, and the
// events of its own surface raised to the form.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include "platform/logging.h"
#include "skin/eventargs.h"
#include "skin/formstate.h"
#include "skin/picturebox.h"
#include "skin/xp_canvas.h"

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

void xp_canvas::endMove() {
    moveArmed_ = moving_ = false;
}

void xp_canvas::toggleMaximised() {
    QWidget* f = form();
    if (fixed_ || !f) return;
    qCDebug(lcSkin) << "title double-click on" << f->objectName() << f->windowState();
    if (stateOf(f) == FormState::Normal)
        f->showMaximized();
    else
        f->showNormal();
}

void xp_canvas::pictop_MouseDown(int, int, int X, int Y) {
    beginMove(pictop, X, Y);
}
void xp_canvas::pictop_MouseMove(int Button, int, int X, int Y) {
    if (Button) followMove(pictop, X, Y);
}
void xp_canvas::pictop_MouseUp(int, int, int, int) {
    endMove();
}
void xp_canvas::pictop_DblClick() {
    toggleMaximised();
}

void xp_canvas::lblcaption_MouseDown(int, int, int X, int Y) {
    beginMove(lblcaption, X, Y);
}
void xp_canvas::lblcaption_MouseMove(int Button, int, int X, int Y) {
    if (Button) followMove(lblcaption, X, Y);
}
void xp_canvas::lblcaption_MouseUp(int, int, int, int) {
    endMove();
}
void xp_canvas::lblcaption_DblClick() {
    toggleMaximised();
}

void xp_canvas::zonePressed(const Zone& zone, int X, int Y) {
    if (fixed_) return;
    pressPoint_ = zone.widget->mapToGlobal(QPoint(X, Y));
}

void xp_canvas::zoneReleased(const Zone& zone, int X, int Y) {
    if (fixed_) return;
    releasePoint_ = zone.widget->mapToGlobal(QPoint(X, Y));
    if (QWidget* f = form()) drag_resize(f, pressPoint_, releasePoint_, zone.edge);
}

void xp_canvas::drag_resize(QWidget* target, QPoint press, QPoint release, Edge edge) {
    // Qt positions are pixels already, so the drag needs no conversion.
    const QRect wanted = edges::dragged(target->geometry(), edge, release - press);
    const int code = edges::code(edge);
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
    // Borders and grips size the form on press and release only.
    for (const Zone& z : zones_) {
        if (watched != z.widget) continue;
        if (down) zonePressed(z, p.x(), p.y());
        if (up) zoneReleased(z, p.x(), p.y());
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
    const bool click =
        pressedHere_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
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
