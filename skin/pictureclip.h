// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPixmap>

// Cuts one picture into a grid of equal cells and hands out a cell at a time;
// the buttons keep their face sheets in one of these.
class PictureClip : public QObject {
    Q_OBJECT
public:
    PictureClip(const QPixmap& picture, int cols, int rows, QObject* parent);

    QPixmap Picture() const { return picture_; }
    void setPicture(const QPixmap& picture) { picture_ = picture; }
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    QSize cellSize() const;
    // Cells are numbered row by row from the top left; an index outside the
    // grid gives a null picture.
    QPixmap GraphicCell(int index) const;

private:
    QPixmap picture_;
    int cols_;
    int rows_;
};
