// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/stepaside.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "platform/logging.h"

StepAside::StepAside(QWidget& display, QObject* parent) : QObject(parent), display_(display) {
    qApp->installEventFilter(this);
}

StepAside::~StepAside() {
    qApp->removeEventFilter(this);
}

bool StepAside::counts(const QObject* o) const {
    if (!o->isWidgetType() || o == &display_) return false;
    const auto* w = static_cast<const QWidget*>(o);
    if (!w->isWindow()) return false;
    // The display's own frameless windows (its picture at full size) are
    // part of it: they stack with it.
    if (w->parentWidget() == &display_ && (w->windowFlags() & Qt::FramelessWindowHint))
        return false;
    switch (w->windowType()) {
        case Qt::Popup:
        case Qt::ToolTip:
        case Qt::SplashScreen:
        case Qt::Desktop:
            return false;
        default:
            return true;
    }
}

bool StepAside::eventFilter(QObject* o, QEvent* e) {
    switch (e->type()) {
        case QEvent::Show:
            // At once, before the window is mapped: the window manager then
            // stacks the new window over a display that is already ordinary.
            if (counts(o)) stepAside();
            break;
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            // Later: the window that hides is still visible while it does.
            if (counts(o) && !recountDue_) {
                recountDue_ = true;
                QMetaObject::invokeMethod(this, &StepAside::recount, Qt::QueuedConnection);
            }
            break;
        default:
            break;
    }
    return false;
}

// A minimised window still counts: the display stays aside until it closes.
// Taking the top layer back meanwhile would race the window's return, and the
// window manager can stack a display leaving that layer over the window.
bool StepAside::anotherOpen() const {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (counts(w) && w->isVisible()) return true;
    return false;
}

void StepAside::stepAside() {
    if (stepped_ || !display_.isVisible() || !(display_.windowFlags() & Qt::WindowStaysOnTopHint))
        return;
    stepped_ = true;
    qCInfo(lcDisplay) << "display steps aside: another window of Study is open";
    setDisplayFlags(display_.windowFlags() & ~Qt::WindowStaysOnTopHint);
}

void StepAside::recount() {
    recountDue_ = false;
    if (anotherOpen()) {
        stepAside();  // another window of Study is still open
        return;
    }
    if (!stepped_) return;
    stepped_ = false;
    qCInfo(lcDisplay) << "display back on top";
    setDisplayFlags(display_.windowFlags() | Qt::WindowStaysOnTopHint);
}

// Only the window system's side changes: setWindowFlags would hide and
// recreate the display, losing its place and the keys.
void StepAside::setDisplayFlags(Qt::WindowFlags flags) {
    display_.overrideWindowFlags(flags);
    if (QWindow* w = display_.windowHandle()) w->setFlags(flags);
}
