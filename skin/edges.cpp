// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/edges.h"

namespace {

// How much each of left, top, width and height changes per pixel of the drag.
struct EdgeMove {
    int left, top, width, height;
};

struct EdgeSpec {
    Edge edge;
    EdgeMove move;
    Qt::CursorShape cursor;
};

constexpr EdgeSpec kEdges[] = {
    {Edge::Left, {1, 0, -1, 0}, Qt::SizeHorCursor},
    {Edge::Right, {0, 0, 1, 0}, Qt::SizeHorCursor},
    {Edge::Top, {0, 1, 0, -1}, Qt::SizeVerCursor},
    {Edge::Bottom, {0, 0, 0, 1}, Qt::SizeVerCursor},
    {Edge::BottomRight, {0, 0, 1, 1}, Qt::SizeFDiagCursor},
    {Edge::BottomLeft, {1, 0, -1, 1}, Qt::SizeBDiagCursor},
    {Edge::TopRight, {0, 1, 1, -1}, Qt::SizeBDiagCursor},
    {Edge::TopLeft, {1, 1, -1, -1}, Qt::SizeFDiagCursor},
};

constexpr bool tableFollowsTheEnum() {
    for (int i = 0; i < 8; ++i)
        if (edges::code(kEdges[i].edge) != i) return false;
    return true;
}
static_assert(tableFollowsTheEnum(), "one row per edge, in the order of its code");

const EdgeSpec& zoneOf(Edge e) {
    return kEdges[edges::code(e)];
}

}  // namespace

Qt::CursorShape edges::cursor(Edge e) {
    return zoneOf(e).cursor;
}

QRect edges::dragged(const QRect& g, Edge e, QPoint delta) {
    const EdgeMove& m = zoneOf(e).move;
    const int dx = delta.x(), dy = delta.y();
    return {g.x() + m.left * dx, g.y() + m.top * dy, g.width() + m.width * dx,
            g.height() + m.height * dy};
}

QRect edges::heldTo(const QRect& wanted, Edge e, QSize smallest) {
    const EdgeMove& m = zoneOf(e).move;
    QRect r = wanted;
    if (r.width() < smallest.width()) {
        if (m.left)
            r.setLeft(r.left() + r.width() - smallest.width());
        else
            r.setWidth(smallest.width());
    }
    if (r.height() < smallest.height()) {
        if (m.top)
            r.setTop(r.top() + r.height() - smallest.height());
        else
            r.setHeight(smallest.height());
    }
    return r;
}
