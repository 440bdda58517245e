// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>

#include "study/settingsrecord.h"

class SettingsStore;

// The three bulk operations on the settings store, each in its fixed order.
namespace SettingsIo {

// First-run values that depend on the machine: the screen width in twips and
// the designed colours of the main window.
struct Design {
    double screenWidthTwips = 15360;  // 1024 pixels at 15 twips per pixel
    std::uint32_t txtColor = 0;
    std::uint32_t formColor = 0;
};

// Writes the 27 first-run values unless the marker xxx holds a value.
// Returns true when it seeded.
bool seed(SettingsStore& store, const Design& design);

// Fills a record from the store. Never fails: a value that is absent, not a
// number, outside its range or too wide for its field gets its first-run value.
SettingsRecord read(const SettingsStore& store, const Design& design);

// Writes the 11 saved keys; the two colours come from the options dialog's swatches.
void save(SettingsStore& store, const SettingsRecord& record, std::uint32_t txtColour,
          std::uint32_t formColour);

// Shortest decimal form of a real number (5680, 7672.5).
QString realText(double value);

}  // namespace SettingsIo
