// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QString>

namespace SkinArt {

// A skin picture by its base name (for example "imgtop1"); a missing picture
// is logged and gives a null pixmap, so a control still works without art.
QPixmap load(const QString& name);

}  // namespace SkinArt
