#include "platform/windowplacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/logging.h"

namespace {

int clampInto(int start, int length, int lowest, int highest) {
    // A window longer than the room keeps its start at the room's start.
    return std::max(lowest, std::min(start, highest + 1 - length));
}

// The frame the window manager will add around a window not yet shown. Once
// shown, the window knows its own; before that the title bar of the style
// and a thin border are a close enough guess for keeping windows apart.
QMargins expectedFrame(const QWidget& w) {
    if (w.windowFlags() & Qt::FramelessWindowHint) return {};
    if (const QWindow* h = w.windowHandle()) {
        const QMargins m = h->frameMargins();
        if (!m.isNull()) return m;
    }
    const int border = 4;
    const int title = w.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &w);
    return {border, title + border, border, border};
}

}  // namespace

std::optional<QPoint> WindowPlacement::beside(const QRect& keep, QSize frame,
                                              const QRect& available) {
    const int alignedTop =
        clampInto(keep.top(), frame.height(), available.top(), available.bottom());
    const int alignedLeft =
        clampInto(keep.left(), frame.width(), available.left(), available.right());
    const QPoint candidates[] = {
        {keep.right() + 1 + kGap, alignedTop},              // right
        {keep.left() - kGap - frame.width(), alignedTop},   // left
        {alignedLeft, keep.bottom() + 1 + kGap},            // below
        {alignedLeft, keep.top() - kGap - frame.height()},  // above
    };
    for (const QPoint& at : candidates) {
        const QRect r(at, frame);
        if (available.contains(r) && !r.intersects(keep)) return at;
    }
    return std::nullopt;
}

bool WindowPlacement::placeBeside(QWidget& window, const QWidget& keepVisible) {
    const QScreen* screen = keepVisible.screen();
    if (!screen || !keepVisible.isVisible()) return false;
    const QRect keep = keepVisible.frameGeometry();
    const QSize frame = window.size().grownBy(expectedFrame(window));
    const std::optional<QPoint> at = beside(keep, frame, screen->availableGeometry());
    if (!at) {
        qCInfo(lcUi).noquote() << window.objectName() << "has no room beside"
                               << keepVisible.objectName();
        return false;
    }
    // move() places the frame's corner, as the window manager will draw it.
    window.move(*at);
    qCInfo(lcUi).noquote() << window.objectName() << "placed at" << at->x() << at->y() << "beside"
                           << keepVisible.objectName();
    return true;
}
