#pragma once
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
    // The top-left corner for a window whose frame has the size `frame`, or
    // nothing when the area has no room beside `keepVisible`.
    static std::optional<QPoint> beside(const QRect& keepVisible, QSize frame,
                                        const QRect& available);

    // Moves `window` (before it is shown) beside `keepVisible` on that
    // window's screen; where there is no room it stays where it was put.
    static bool placeBeside(QWidget& window, const QWidget& keepVisible);

    // Space left between the two windows.
    static constexpr int kGap = 8;
};
