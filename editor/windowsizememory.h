// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QSize>

class SettingsStore;

// The size of an editor's window between runs, in the settings store beside
// Study's settings, under three keys of its own: its width and height
// (pixels, the size of the normal window also while it is maximised) and
// whether it is maximised (0 or 1). Manager's window uses ManagerWidth,
// ManagerHeight and ManagerMaximised; Study's editor StudyEditorWidth,
// StudyEditorHeight and StudyEditorMaximised. The keys are written only once
// the user has changed the size; absent keys mean the documented size, not
// maximised.
class WindowSizeMemory {
public:
    struct Size {
        QSize normal;
        bool maximised = false;
        bool operator==(const Size&) const = default;
    };
    struct Keys {
        const char* width;
        const char* height;
        const char* maximised;
    };
    static constexpr Keys kManager{"ManagerWidth", "ManagerHeight", "ManagerMaximised"};
    static constexpr Keys kStudyEditor{"StudyEditorWidth", "StudyEditorHeight",
                                       "StudyEditorMaximised"};

    WindowSizeMemory(SettingsStore& store, QSize documented, Keys keys);

    // The size to open at on a screen whose free area is `available`: the
    // remembered one, never below the documented size and, where the screen
    // has room for that, never beyond the free area. Values that are not
    // whole numbers count as absent.
    Size restore(const QRect& available);
    // The size the window ends at. Writes the keys whose value changed;
    // nothing when the window ends as it opened.
    void keep(const Size& now);
    // The window changed its own size before the user did (to make room for
    // fields it shows): that size counts as the one it opened at.
    void openedAt(const Size& size) { opened_ = size; }

private:
    int readWhole(const char* key, int absent) const;
    void writeIfChanged(const char* key, int value, int absent);

    SettingsStore& store_;
    QSize documented_;
    Keys keys_;
    Size opened_;
};
