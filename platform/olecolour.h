// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <cstdint>

// Stored colour numbers: red in the low byte, green next, blue in the third.
// A number with the top bit set names a system colour by the index in its low
// byte; such numbers are stored as negative signed decimals.
namespace OleColour {

constexpr std::uint32_t kSystemFlag = 0x80000000u;
constexpr std::uint32_t kDesktop = kSystemFlag | 1;          // stored as -2147483647
constexpr std::uint32_t kHighlightText = kSystemFlag | 14;   // stored as -2147483634

// The colour number held by a stored number (signed or unsigned form).
std::uint32_t fromNumber(double number);
// The signed decimal form in which a colour number is stored.
qint64 toSigned(std::uint32_t ole);

QColor toColor(std::uint32_t ole);
std::uint32_t fromColor(const QColor& c);

}  // namespace OleColour
