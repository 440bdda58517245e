// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

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

// Keeps a window that sizes itself to changing content on the screen. It
// meets the screen's right edge when it would reach past it (its left edge
// stays on the screen). A window that would end below the available area
// moves up just far enough, never above the area's top; once the content is
// shorter again it goes back to where it stood, unless it was moved meanwhile.
class FitOnScreen {
public:
    // Where the window's frame goes, standing at `at` with the size `frame`.
    QPoint place(QPoint at, QSize frame, const QRect& screen, const QRect& available);

private:
    std::optional<int> home_;  // the top the window had before it was lifted
    QPoint lifted_;            // where lifting put it
};

// Follows a move that the window manager runs for a window (after
// QWindow::startSystemMove). Some managers ignore a resize asked for during
// their move, so the window would keep its old size; the watch tells when the
// move is over and whether the window's geometry must then be asked for again.
class SystemMoveWatch {
public:
    void started() { moving_ = true; }
    // The window asked for a new geometry; it counts while a move runs.
    void geometryAsked() { askedWhileMoving_ = askedWhileMoving_ || moving_; }
    bool moving() const { return moving_; }
    // Fed the window's events: true once, for the event that ends a move
    // during which a geometry was asked for. The manager keeps the button's
    // release for itself; what the window sees next is the pointer coming
    // back, a release, or a move with no button held.
    bool endsMoveToRedo(QEvent::Type type, Qt::MouseButtons buttons);

private:
    bool moving_ = false;
    bool askedWhileMoving_ = false;
};
