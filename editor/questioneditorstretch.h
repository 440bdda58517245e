// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QSize>
#include <QtGlobal>

// How one control of the question editor follows the form once the form is
// larger than its documented size. Each edge of the control moves by a share
// of the extra width or height; at the documented size nothing moves.
//
// In Manager's form, across the form the list's column takes a third of the extra width and
// the column of the boxes the rest; down the form the question box takes a
// third of the extra height and the list and the picture all of it.
struct Stretch {
    // Where a vertical edge goes: stays; moves with the list's column (a
    // third of the extra width); to the middle of the right column's growth;
    // with the form's right edge; by half the extra width (the middle of a
    // form that is one column).
    enum class Across : quint8 { Stay, Column, Middle, Edge, Half };
    // Where a horizontal edge goes: stays; moves with the question box's
    // growth (a third of the extra height); with the form's bottom edge.
    enum class Down : quint8 { Stay, Question, Edge };

    Across left = Across::Stay, right = Across::Stay;
    Down top = Down::Stay, bottom = Down::Stay;

    // Room opened across the form: edges documented at or below `below`
    // move down by `height`, on top of their share of the extra height.
    struct Insert {
        int below = 0;
        int height = 0;
    };

    // `documented` moved for a form `extra` pixels larger than documented
    // (not counting the inserted room). A form smaller than documented
    // counts as documented.
    QRect apply(const QRect& documented, QSize extra, Insert insert) const;
    QRect apply(const QRect& documented, QSize extra) const {
        return apply(documented, extra, {0, 0});
    }

    // Shorthands for the table of a variant.
    static constexpr Stretch fixed() { return {}; }
    // Moves as a whole with these edges.
    static constexpr Stretch follow(Across x, Down y) { return {x, x, y, y}; }
};
