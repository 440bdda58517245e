// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/clickcontrol.h"

#include <QCursor>
#include <QMouseEvent>

#include "skin/eventargs.h"

void ClickControl::onPress(int button, int shift, int x, int y) {
    if (lookFirst_) showLook(Look::Pressed);
    emit MouseDown(button, shift, x, y);
    if (!lookFirst_) showLook(Look::Pressed);
}

void ClickControl::onMove(int button, int shift, int x, int y) {
    if (!over(x, y)) return;
    watchLeaving();
    emit MouseMove(button, shift, x, y);
    showLook(button == 1 ? Look::Pressed : Look::Hover);
}

void ClickControl::onRelease(int button, int shift, int x, int y) {
    if (lookFirst_) showLook(Look::Rest);
    emit MouseUp(button, shift, x, y);
    if (!lookFirst_) showLook(Look::Rest);
}

void ClickControl::onClick() {
    emit Click();
}

void ClickControl::onPointerOut() {
    emit MouseOut();
    showLook(Look::Rest);
}

bool ClickControl::over(int x, int y) const {
    return x >= 0 && x <= width() && y >= 0 && y <= height();
}

void ClickControl::watchLeaving() {
    watching_ = true;
}

void ClickControl::checkLeavingSoon() {
    watching_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QPoint p = mapFromGlobal(QCursor::pos());
            if (watching_ && !over(p.x(), p.y())) pointerLeft();
        },
        Qt::QueuedConnection);
}

void ClickControl::pointerAt(QPoint p) {
    if (!over(p.x(), p.y())) pointerLeft();
}

void ClickControl::pointerLeft() {
    if (!watching_) return;
    watching_ = false;
    onPointerOut();
}

bool ClickControl::event(QEvent* e) {
    if (e->type() == QEvent::Leave) pointerLeft();
    return QWidget::event(e);
}

void ClickControl::mousePressEvent(QMouseEvent* e) {
    pressedHere_ = e->button() == Qt::LeftButton;
    onPress(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
            e->position().toPoint().x(), e->position().toPoint().y());
}

void ClickControl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    pointerAt(p);
    onMove(EventArgs::buttons(e->buttons()), EventArgs::shift(e->modifiers()), p.x(), p.y());
}

void ClickControl::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        pressedHere_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressedHere_ = false;
    onRelease(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
              e->position().toPoint().x(), e->position().toPoint().y());
    if (click) onClick();
}

// Qt delivers the second press of a double click as a press too; forgetting
// it here keeps a double click to one Click.
void ClickControl::mouseDoubleClickEvent(QMouseEvent*) {
    pressedHere_ = false;
}
