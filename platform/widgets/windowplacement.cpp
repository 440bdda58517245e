// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/windowplacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

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

WindowPlacement::Place WindowPlacement::beside(const QRect& keep, QSize frame,
                                               const QRect& available) {
    const auto inside = [&](QPoint at) {
        return QPoint(clampInto(at.x(), frame.width(), available.left(), available.right()),
                      clampInto(at.y(), frame.height(), available.top(), available.bottom()));
    };
    // In order of preference: beside, aligned with the window's top or left
    // edge, then the corners of the area for when nothing beside fits.
    const QPoint candidates[] = {
        inside({keep.right() + 1 + kGap, keep.top()}),
        inside({keep.left() - kGap - frame.width(), keep.top()}),
        inside({keep.left(), keep.bottom() + 1 + kGap}),
        inside({keep.left(), keep.top() - kGap - frame.height()}),
        inside({available.right(), available.bottom()}),
        inside({available.left(), available.bottom()}),
        inside({available.right(), available.top()}),
        inside({available.left(), available.top()}),
    };
    const auto covered = [&](QPoint at) {
        const QRect r = QRect(at, frame).intersected(keep);
        return r.isEmpty() ? 0LL : qint64(r.width()) * r.height();
    };
    QPoint best = candidates[0];
    for (const QPoint& at : candidates) {
        if (covered(at) == 0) return {at, true};
        if (covered(at) < covered(best)) best = at;
    }
    return {best, false};
}

bool WindowPlacement::placeBeside(QWidget& window, const QWidget& keepVisible) {
    const QScreen* screen = keepVisible.screen();
    if (!screen || !keepVisible.isVisible()) return false;
    const QRect keep = keepVisible.frameGeometry();
    const QSize frame = window.size().grownBy(expectedFrame(window));
    const Place place = beside(keep, frame, screen->availableGeometry());
    // move() places the frame's corner, as the window manager will draw it.
    window.move(place.topLeft);
    qCInfo(lcUi).noquote() << window.objectName() << "placed at" << place.topLeft.x()
                           << place.topLeft.y() << (place.clear ? "beside" : "over the least of")
                           << keepVisible.objectName();
    return place.clear;
}

QPoint FitOnScreen::place(QPoint at, QSize frame, const QRect& screen, const QRect& available) {
    // Lifted before and not moved since: it stands where it stood.
    const int home = home_ && at == lifted_ ? *home_ : at.y();
    int x = at.x();
    if (screen.right() + 1 - frame.width() < x)
        x = screen.right() + 1 - frame.width();
    else if (x < screen.left())
        x = screen.left();
    int y = home;
    if (home + frame.height() - 1 > available.bottom())
        y = std::max(available.top(), available.bottom() + 1 - frame.height());
    if (y != home) {
        home_ = home;
        lifted_ = {x, y};
    } else {
        home_.reset();
    }
    return {x, y};
}

bool SystemMoveWatch::endsMoveToRedo(QEvent::Type type, Qt::MouseButtons buttons) {
    if (!moving_) return false;
    switch (type) {
        case QEvent::Enter:
        case QEvent::MouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonRelease:
            break;
        case QEvent::MouseMove:
        case QEvent::HoverMove:
            if (buttons & Qt::LeftButton) return false;
            break;
        default:
            return false;
    }
    moving_ = false;
    return std::exchange(askedWhileMoving_, false);
}
