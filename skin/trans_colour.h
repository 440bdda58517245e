// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QRgb>

class QWidget;

namespace trans_colour {

// Gives form a window region without the pixels of the top six rows of its
// drawing surface that show key. Each call starts from the full rectangle of
// the form's current size, so it replaces any earlier region.
void cut_region(QWidget* form, const QImage& surface, QRgb key);

}  // namespace trans_colour
