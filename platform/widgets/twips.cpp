// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

double perPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips) { return static_cast<int>(std::lround(twips / perPixel())); }

double fromPixels(int pixels) { return pixels * perPixel(); }

}  // namespace Twips
