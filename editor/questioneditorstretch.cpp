// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/questioneditorstretch.h"

namespace {

int across(Stretch::Across a, int dx) {
    const int column = dx / 3;
    switch (a) {
        case Stretch::Across::Stay:
            return 0;
        case Stretch::Across::Column:
            return column;
        case Stretch::Across::Middle:
            return column + (dx - column) / 2;
        case Stretch::Across::Edge:
            return dx;
        case Stretch::Across::Half:
            return dx / 2;
    }
    return 0;
}

int down(Stretch::Down d, int dy) {
    switch (d) {
        case Stretch::Down::Stay:
            return 0;
        case Stretch::Down::Question:
            return dy / 3;
        case Stretch::Down::Edge:
            return dy;
    }
    return 0;
}

}  // namespace

QRect Stretch::apply(const QRect& documented, QSize extra, Insert insert) const {
    const int dx = qMax(0, extra.width()), dy = qMax(0, extra.height());
    const int l = across(left, dx), r = across(right, dx);
    auto opened = [&](int y) { return insert.height > 0 && y >= insert.below ? insert.height : 0; };
    const int t = down(top, dy) + opened(documented.top());
    const int b = down(bottom, dy) + opened(documented.bottom());
    return {documented.x() + l, documented.y() + t, documented.width() + r - l,
            documented.height() + b - t};
}
