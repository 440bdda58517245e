// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>
#include <array>

// The eight resize zones of the skinned frame: the three borders and the top
// edge move one side of the form, the four corner grips two. A zone's number
// (code()) is what the resize log reports, and a grip is named imgresize<n>
// after it.
enum class Edge { Left, Right, Top, Bottom, BottomRight, BottomLeft, TopRight, TopLeft };

inline constexpr std::array<Edge, 8> kAllEdges = {
    Edge::Left,        Edge::Right,      Edge::Top,      Edge::Bottom,
    Edge::BottomRight, Edge::BottomLeft, Edge::TopRight, Edge::TopLeft};

namespace edges {

constexpr int code(Edge e) {
    return static_cast<int>(e);
}
// What the zone shows while the frame is sizable and the form normal.
Qt::CursorShape cursor(Edge e);
// geometry after its edge was dragged by delta: the dragged sides follow the
// mouse, the opposite ones stay where they are.
QRect dragged(const QRect& geometry, Edge e, QPoint delta);
// `wanted` no smaller than `smallest`: the dragged sides stop there, the
// opposite ones stay where they are.
QRect heldTo(const QRect& wanted, Edge e, QSize smallest);

}  // namespace edges
