// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

class QWidget;

// Tells when the keyboard focus comes to a widget or into it from outside.
// The watched widget's class holds one as a member: it ends together with
// that class's own part, so no focus change that a half-destroyed widget's
// remaining destructors cause can reach it.
class FocusWatch : public QObject {
    Q_OBJECT
public:
    explicit FocusWatch(QWidget* watched);

signals:
    // The watched widget itself took the focus.
    void gotFocus();
    // The focus came from outside to a widget inside the watched one.
    void entered();

private:
    void onFocusChanged(QWidget* old, QWidget* now);

    QWidget* watched_;
};
