// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window opens so that it leaves another one in view: beside it on
// the right, else on the left, below or above, always inside the screen's
// available area. Used for dialogs and editors that would otherwise cover the
// window whose text they change.
class WindowPlacement {
public:
    struct Place {
        QPoint topLeft;
        bool clear;  // false: the area had no room, this is the least overlap
    };
    // The top-left corner for a window whose frame has the size `frame`.
    // Where the area has no room beside `keepVisible`, the place inside the
    // area that covers the least of it.
    static Place beside(const QRect& keepVisible, QSize frame, const QRect& available);

    // Moves `window` (before it is shown) beside `keepVisible` on that
    // window's screen. True when it then covers nothing of it.
    static bool placeBeside(QWidget& window, const QWidget& keepVisible);

    // Space left between the two windows.
    static constexpr int kGap = 8;
};
