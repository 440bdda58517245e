// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// Looks through an SVG document before the renderer sees it. Refuses what
// could make rendering stall, recurse without end or reach outside the
// bytes: entity declarations, external references, a <use> that reaches
// itself, <use> chains whose expansion grows past a bound (each level using
// the one below many times), nesting too deep for the renderer's recursion,
// and embedded images that are not plain bitmaps.
namespace SvgGuard {

inline constexpr int kMaxElements = 50000;
inline constexpr int kMaxDepth = 200;
inline constexpr qint64 kMaxExpandedElements = 200000;

// True when the bytes are an XML document whose root element is <svg>.
bool looksLikeSvg(const QByteArray& bytes);

// Empty when the document may be rendered, else the reason it may not.
QString check(const QByteArray& bytes);

}  // namespace SvgGuard
