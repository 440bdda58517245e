// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/olecolour.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace OleColour {

std::uint32_t fromNumber(double number) {
    const auto whole = static_cast<qint64>(std::llround(number));
    return static_cast<std::uint32_t>(whole & 0xFFFFFFFFll);
}

qint64 toSigned(std::uint32_t ole) { return static_cast<qint32>(ole); }

namespace {

QColor systemColour(int index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
        case 1: return QColor(58, 110, 165);  // desktop: the classic desktop blue
        case 2: case 13: return pal.color(QPalette::Active, QPalette::Highlight);
        case 3: return pal.color(QPalette::Inactive, QPalette::Highlight);
        case 4: case 15: return pal.color(QPalette::Button);
        case 5: return pal.color(QPalette::Base);
        case 6: return pal.color(QPalette::Shadow);
        case 7: case 18: return pal.color(QPalette::ButtonText);
        case 8: return pal.color(QPalette::WindowText);
        case 9: case 14: return pal.color(QPalette::HighlightedText);
        case 16: return pal.color(QPalette::Dark);
        case 17: return pal.color(QPalette::Disabled, QPalette::Text);
        case 20: return pal.color(QPalette::Light);
        case 23: return pal.color(QPalette::ToolTipText);
        case 24: return pal.color(QPalette::ToolTipBase);
        default: return pal.color(QPalette::Window);
    }
}

}  // namespace

QColor toColor(std::uint32_t ole) {
    if (ole & kSystemFlag) return systemColour(static_cast<int>(ole & 0xFF));
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

std::uint32_t fromColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) |
           (std::uint32_t(rgb.blue()) << 16);
}

}  // namespace OleColour
