// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

// The window state of the form as the skin tells it apart; read afresh each
// time, never stored.
enum class FormState { Normal, Maximised, Minimised };

inline FormState stateOf(const QWidget* form) {
    const Qt::WindowStates s = form->windowState();
    if (s & Qt::WindowMinimized) return FormState::Minimised;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return FormState::Maximised;
    return FormState::Normal;
}
