// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/pictureclip.h"

PictureClip::PictureClip(const QPixmap& picture, int cols, int rows, QObject* parent)
    : QObject(parent), picture_(picture), cols_(qMax(1, cols)), rows_(qMax(1, rows)) {}

QSize PictureClip::cellSize() const {
    return {picture_.width() / cols_, picture_.height() / rows_};
}

QPixmap PictureClip::GraphicCell(int index) const {
    if (index < 0 || index >= cols_ * rows_ || picture_.isNull()) return {};
    const QSize cell = cellSize();
    return picture_.copy((index % cols_) * cell.width(), (index / cols_) * cell.height(),
                         cell.width(), cell.height());
}
