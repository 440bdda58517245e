// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/eventargs.h"

int EventArgs::button(Qt::MouseButton b) { return buttons(b); }

int EventArgs::buttons(Qt::MouseButtons bs) {
    return (bs & Qt::LeftButton ? 1 : 0) | (bs & Qt::RightButton ? 2 : 0) |
           (bs & Qt::MiddleButton ? 4 : 0);
}

int EventArgs::shift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}
