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
#include "skin/skinframe.h"

// The system move starts once the pointer really drags, not on the press:
// under a window manager the move grabs the pointer, and a second click of a
// double click would never reach the band.
void SkinFrame::beginMove(QWidget* from, int x, int y) {
    QWidget* f = form();
    if (!f || stateOf(f) != FormState::Normal) return;
    moveArmed_ = true;
    moving_ = false;
    moveFrom_ = from->mapToGlobal(QPoint(x, y));
    formFrom_ = f->pos();
}

void SkinFrame::followMove(QWidget* from, int x, int y) {
    QWidget* f = form();
    if (!moveArmed_ || !f) return;
    const QPoint now = from->mapToGlobal(QPoint(x, y));
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

void SkinFrame::endMove() {
    moveArmed_ = moving_ = false;
}

void SkinFrame::toggleMaximised() {
    QWidget* f = form();
    if (fixed_ || !f) return;
    qCDebug(lcSkin) << "title double-click on" << f->objectName() << f->windowState();
    if (stateOf(f) == FormState::Normal)
        f->showMaximized();
    else
        f->showNormal();
}

// The title band and the caption move the form, and a double click on
// either maximises or restores it.
void SkinFrame::dragByTitle(QWidget* part, QEvent::Type type, int button, QPoint p) {
    switch (type) {
        case QEvent::MouseButtonPress:
            beginMove(part, p.x(), p.y());
            break;
        case QEvent::MouseMove:
            if (button) followMove(part, p.x(), p.y());
            break;
        case QEvent::MouseButtonRelease:
            endMove();
            break;
        case QEvent::MouseButtonDblClick:
            toggleMaximised();
            break;
        default:
            break;
    }
}

void SkinFrame::zonePressed(const Zone& zone, int x, int y) {
    if (fixed_) return;
    pressPoint_ = zone.widget->mapToGlobal(QPoint(x, y));
}

void SkinFrame::zoneReleased(const Zone& zone, int x, int y) {
    if (fixed_) return;
    releasePoint_ = zone.widget->mapToGlobal(QPoint(x, y));
    if (QWidget* f = form()) resizeByDrag(f, pressPoint_, releasePoint_, zone.edge);
}

void SkinFrame::resizeByDrag(QWidget* target, QPoint press, QPoint release, Edge edge) {
    // Qt positions are pixels already, so the drag needs no conversion.
    const QRect wanted = edges::dragged(target->geometry(), edge, release - press);
    const int code = edges::code(edge);
    // Refused moves leave the window as it was, the way the window system
    // refuses to size a maximised window or give it a negative size.
    if (stateOf(target) != FormState::Normal || wanted.width() < 0 || wanted.height() < 0) {
        qCDebug(lcSkin) << "resize refused:" << code << wanted << target->windowState();
        return;
    }
    // A form with a smallest size stops there; left to itself the window
    // system would keep the size by moving the side that was not dragged.
    const QRect held = edges::heldTo(wanted, edge, target->minimumSize());
    target->setGeometry(held);
    qCDebug(lcSkin) << "resized" << target->objectName() << "by code" << code << "to" << held;
}

bool SkinFrame::dispatchMouse(QObject* watched, QMouseEvent* e) {
    const QEvent::Type type = e->type();
    const int button = type == QEvent::MouseMove ? EventArgs::buttons(e->buttons())
                                                 : EventArgs::button(e->button());
    const QPoint p = e->position().toPoint();
    const bool down = type == QEvent::MouseButtonPress, up = type == QEvent::MouseButtonRelease;
    if (watched == titleBand_ || watched == caption_) {
        dragByTitle(static_cast<QWidget*>(watched), type, button, p);
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

bool SkinFrame::eventFilter(QObject* watched, QEvent* e) {
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

void SkinFrame::trackParent(QWidget* parent) {
    if (trackedParent_) trackedParent_->removeEventFilter(this);
    trackedParent_ = parent;
    if (parent) parent->installEventFilter(this);
}

void SkinFrame::mousePressEvent(QMouseEvent* e) {
    pressedHere_ = e->button() == Qt::LeftButton;
    emit MouseDown(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                   e->position().toPoint().x(), e->position().toPoint().y());
}

void SkinFrame::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(EventArgs::buttons(e->buttons()), EventArgs::shift(e->modifiers()),
                   e->position().toPoint().x(), e->position().toPoint().y());
}

void SkinFrame::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                 e->position().toPoint().x(), e->position().toPoint().y());
    const bool click =
        pressedHere_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressedHere_ = false;
    if (click) emit Click();
}

// Qt delivers the second press of a double click as a press too; its release
// makes no second Click.
void SkinFrame::mouseDoubleClickEvent(QMouseEvent*) {
    pressedHere_ = false;
    emit DblClick();
}

void SkinFrame::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(e->key(), EventArgs::shift(e->modifiers()));
    if (!e->text().isEmpty()) emit KeyPress(e->text().at(0).unicode());
}

void SkinFrame::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    emit KeyUp(e->key(), EventArgs::shift(e->modifiers()));
}
