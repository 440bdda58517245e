// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Window positions and sizes are designed in twips (1/1440 inch).
namespace Twips {

// Twips per logical pixel of the primary screen (15 at 96 dpi).
double perPixel();
int toPixels(double twips);
double fromPixels(int pixels);

}  // namespace Twips
