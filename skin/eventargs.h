// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <Qt>

class QMouseEvent;
class QWidget;

// The skin controls hand mouse and key events to their form with the classic
// argument codes: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
namespace EventArgs {

int button(Qt::MouseButton b);
int buttons(Qt::MouseButtons bs);
int shift(Qt::KeyboardModifiers m);

}  // namespace EventArgs
