#include "skin/clickcontrol.h"

#include <QMouseEvent>

#include "skin/eventargs.h"

void ClickControl::mousePressEvent(QMouseEvent* e) {
    pressedHere_ = e->button() == Qt::LeftButton;
    UserControl_MouseDown(EventArgs::button(e->button()), EventArgs::shift(e->modifiers()),
                          e->position().toPoint().x(), e->position().toPoint().y());
}

void ClickControl::mouseMoveEvent(QMouseEvent* e) {
    UserControl_MouseMove(EventArgs::buttons(e->buttons()), EventArgs::shift(e->modifiers()),
                          e->position().toPoint().x(), e->position().toPoint().y());
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
