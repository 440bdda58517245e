// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPushButton>

// A button of the exam window's pages. It takes no focus, so that the keys
// (A-D, 1-4, arrows, Enter) always reach the page and never press a button
// that happens to hold the focus.
inline QPushButton* examButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
