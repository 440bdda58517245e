// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRgb>

class QWidget;

namespace trans_colour {

// Gives form a window region without the pixels of the top six rows of its
// drawing surface that show key. Each call starts from the full rectangle of
// the form's current size, so it replaces any earlier region.
void cut_region(QWidget* form, const QImage& surface, QRgb key);

// picture with every key pixel painted in fill. A window region cuts key
// pixels only where the window system honours it (not for top-level windows
// on Wayland); drawn this way they never show as key colour, and the region
// is still computed from the original picture.
QPixmap without_key(const QPixmap& picture, QRgb key, const QColor& fill);

}  // namespace trans_colour
