// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/footedlist.h"

#include <QEvent>

FootedList::FootedList(QWidget* parent) : QListView(parent) {
    // The scroll bars appear and go as entries come: the foot follows the
    // viewport, not the box.
    viewport()->installEventFilter(this);
}

void FootedList::setFoot(QWidget* foot, int height) {
    foot_ = foot;
    height_ = height;
    foot_->setParent(this);
    foot_->hide();
}

void FootedList::showFoot(bool on) {
    if (!foot_ || on == shown_) return;
    shown_ = on;
    setViewportMargins(0, 0, 0, on ? height_ : 0);
    placeFoot();
    foot_->setVisible(on);
    if (on && currentIndex().isValid()) scrollTo(currentIndex());
}

void FootedList::placeFoot() {
    if (!foot_) return;
    const QRect v = viewport()->geometry();
    foot_->setGeometry(v.left(), v.bottom() + 1, v.width(), height_);
}

bool FootedList::eventFilter(QObject* watched, QEvent* e) {
    if (watched == viewport() && (e->type() == QEvent::Resize || e->type() == QEvent::Move))
        placeFoot();
    return QListView::eventFilter(watched, e);
}
