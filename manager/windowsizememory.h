// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QSize>

class SettingsStore;

// The size of Manager's window between runs, in the settings store beside
// Study's settings: ManagerWidth and ManagerHeight (pixels, the size of the
// normal window also while it is maximised) and ManagerMaximised (0 or 1).
// The keys are written only once the user has changed the size; absent
// keys mean the documented size, not maximised.
class WindowSizeMemory {
public:
    struct Size {
        QSize normal;
        bool maximised = false;
        bool operator==(const Size&) const = default;
    };

    WindowSizeMemory(SettingsStore& store, QSize documented);

    // The size to open at on a screen whose free area is `available`: the
    // remembered one, never below the documented size and, where the screen
    // has room for that, never beyond the free area. Values that are not
    // whole numbers count as absent.
    Size restore(const QRect& available);
    // The size the window ends at. Writes the keys whose value changed;
    // nothing when the window ends as it opened.
    void keep(const Size& now);

    static constexpr const char* kWidthKey = "ManagerWidth";
    static constexpr const char* kHeightKey = "ManagerHeight";
    static constexpr const char* kMaximisedKey = "ManagerMaximised";

private:
    int readWhole(const char* key, int absent) const;
    void writeIfChanged(const char* key, int value, int absent);

    SettingsStore& store_;
    QSize documented_;
    Size opened_;
};
