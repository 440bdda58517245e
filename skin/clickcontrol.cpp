// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/clickcontrol.h"

#include <QCursor>
#include <QMouseEvent>

#include "skin/eventargs.h"

bool ClickControl::over(int X, int Y) const {
    return X >= 0 && X <= width() && Y >= 0 && Y <= height();
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
    UserControl_MouseOut();
}

bool ClickControl::event(QEvent* e) {
    if (e->type() == QEvent::Leave) pointerLeft();
    return QWidget::event(e);
}

void ClickControl::mousePressEvent(QMouseEvent* e) {
    pressedHere_ = e->button() == Qt::LeftButton;
    UserControl_MouseDown(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                          e->position().toPoint().x(), e->position().toPoint().y());
}

void ClickControl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    pointerAt(p);
    UserControl_MouseMove(EventArgs::buttons(e->buttons()), EventArgs::shift(e->modifiers()), p.x(),
                          p.y());
}

void ClickControl::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressedHere_ && e->button() == Qt::LeftButton &&
                       rect().contains(e->position().toPoint());
    pressedHere_ = false;
    UserControl_MouseUp(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                        e->position().toPoint().x(), e->position().toPoint().y());
    if (click) UserControl_Click();
}

// Qt delivers the second press of a double click as a press too; forgetting
// it here keeps a double click to one Click.
void ClickControl::mouseDoubleClickEvent(QMouseEvent*) { pressedHere_ = false; }
