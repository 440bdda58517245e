// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/focuswatch.h"

#include <QApplication>
#include <QWidget>

FocusWatch::FocusWatch(QWidget* watched) : watched_(watched) {
    connect(qApp, &QApplication::focusChanged, this, &FocusWatch::onFocusChanged);
}

// Focus leaving changes nothing by itself: when the form stops being the
// active window, its deactivation follows.
void FocusWatch::onFocusChanged(QWidget* old, QWidget* now) {
    auto inside = [this](QWidget* w) { return w && (w == watched_ || watched_->isAncestorOf(w)); };
    const bool wasInside = inside(old), isInside = inside(now);
    if (isInside && now == watched_ && old != watched_)
        emit gotFocus();
    else if (isInside && !wasInside)
        emit entered();
}
