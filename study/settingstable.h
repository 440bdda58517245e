// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QtGlobal>
#include <cstdint>

#include "platform/olecolour.h"

class SettingsStore;
struct SettingsRecord;

// Every key of Study's settings store: its name, its first-run value, the
// values Reading accepts (anything else falls back to the first-run value)
// and, where the options dialog offers fewer, what it offers. Seeding,
// Reading, Saving, the in-memory record and the options dialog all take
// these facts from here.
namespace SettingsTable {

// A whole number, stored as plain decimal.
struct Whole {
    const char* key;
    qint16 firstRun;
    int lowest, highest;  // accepted by Reading
};

// A range the options dialog offers, inside what Reading accepts.
struct Offered {
    int lowest, highest;
};

// A colour number, stored as signed decimal. Its first-run value is the
// designed colour of the main window (a system colour); the dialog's
// default button restores another one.
struct Colour {
    const char* key;
    std::uint32_t designed;
    std::uint32_t restored;  // by the options dialog's "默认"
};

// Half the screen width in twips plus an offset, stored in shortest form.
struct ScreenOffset {
    const char* key;
    double offsetTwips;
};

// Text stored unchanged.
struct Text {
    const char* key;
    const char* firstRun;
};

constexpr int kLowest16 = -32768, kHighest16 = 32767;

// The display timer works with anything from 1 to 32 seconds (32 * 1000
// still fits 16 bits), so Reading keeps those; the dialog offers 3 to 15.
inline constexpr Whole ctimeword{"ctimeword", 7, 1, 32};
inline constexpr Offered offeredSeconds{3, 15};
inline constexpr Whole ontopword{"ontopword", 1, 0, 1};
inline constexpr Whole ssaveword{"ssaveword", 1, 0, 1};
// 10 and above all mean the personal list; the dialog offers "全部" and
// the ten choices after it.
inline constexpr Whole guageword{"guageword", 1, 0, kHighest16};
inline constexpr Offered offeredChoices{0, 10};
inline constexpr Whole markword{"markword", 0, 0, 1};
// Any 16-bit value has a meaning for voice (only 1 speaks); none is bad.
inline constexpr Whole voice{"voice", 1, kLowest16, kHighest16};
inline constexpr Whole isnoSpeak{"isnoSpeak", 0, 0, 1};
inline constexpr Whole Spdtimes{"Spdtimes", 90, kLowest16, kHighest16};
inline constexpr Whole FontSizeNumber{"FontSizeNumber", 12, 8, 55};
// Absent (never switched) or anything but 0 and 1 means off. Neither seeded
// nor saved: written only when the learner switches it.
inline constexpr Whole delayword{"delayword", 0, 0, 1};
// 1: an exam-form question's explanation follows its answer. Like delayword,
// absent or out of range means off, and only the learner's switch writes it.
inline constexpr Whole explainword{"explainword", 0, 0, 1};
// The order of the display: 0 the documented order, 1 by memory (due
// questions first, then new ones, then the weakest). Absent means 0; only the
// menu entry writes it.
inline constexpr Whole studyorder{"studyorder", 0, 0, 1};
// New questions begun per day in the order by memory; 0 shows none until
// nothing else is left. Absent means 20, and nothing writes it: the learner
// edits the settings file (the help page says how).
inline constexpr Whole newperday{"newperday", 20, 0, 9999};
// The recall the scheduler aims for, in percent. The FSRS documentation
// advises targets between 70% and 97%; 99 is allowed for a learner close to
// the exam, who would rather review too often. Absent means 90.
inline constexpr Whole retention{"retention", 90, 70, 99};

inline constexpr Colour txtColor{"txtColor", OleColour::kHighlightText, 16777215};  // white
// Restored: red 56, green 93, blue 171.
inline constexpr Colour formColor{"formColor", OleColour::kDesktop, 11230520};

inline constexpr ScreenOffset winleftword{"winleftword", -2000};
inline constexpr ScreenOffset left{"left", -3000};

inline constexpr Text xxx{"xxx", "1"};
inline constexpr Text agent{"agent", "Merlin"};

// Written once by seeding and never read; they belong to the store's layout,
// so that a seeded store holds all its 27 values.
inline constexpr Text ce{"ce", "0"}, n{"n", "1"}, ctime{"ctime", "3"}, etime{"etime", "5"},
    rd{"rd", "1"}, psave{"psave", "1"}, ssave{"ssave", "1"}, visi{"visi", "0"}, guage{"guage", "1"},
    guagen{"guagen", "11000"}, red{"red", "0"}, mark{"mark", "1"};

// First-run values that depend on the machine: the screen width in twips and
// the designed colours of the main window.
struct Design {
    double screenWidthTwips = 15360;  // 1024 pixels at 15 twips per pixel
    std::uint32_t txtColor = SettingsTable::txtColor.designed;
    std::uint32_t formColor = SettingsTable::formColor.designed;
};

// Seeding: writes the 27 first-run values, in their fixed order, unless the
// marker xxx holds a value. Returns true when it seeded.
bool seed(SettingsStore& store, const Design& design);

// Reading: fills a record from the store. Never fails: a value that is
// absent, not a number, outside its range or too wide for its field gets
// its first-run value.
SettingsRecord read(const SettingsStore& store, const Design& design);

// Saving: writes the 11 saved keys, in their fixed order, from the record.
void save(SettingsStore& store, const SettingsRecord& record);

// Shortest decimal form of a real number (5680, 7672.5).
QString realText(double value);

}  // namespace SettingsTable
