// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>

#include "editor/questioneditorstretch.h"
#include "editor/windowsizememory.h"

// What tells the two copies of the question editor apart: Study's over the
// personal list, Manager's over one category of the bank. The editor's code
// is one; only this description differs.
struct EditorVariant {
    enum class Kind { PersonalList, Bank };
    Kind kind;
    QString caption;
    QString databaseFile;  // in the program folder
    QString connect;
    QString questionLabel;  // caption of Label element 6
    QString saveCaption, addCaption, deleteCaption;
    QString emptyMessage;  // delete on an empty set
    int deleteThreshold;   // RecordCount at which delete leaves the form adding
    bool saveIsBrowsing;   // EnableBrowsing enables cmdSave too
    bool closeEndsProgram;
    bool ownIcon;  // Manager's own icon in the title band, else the default
    QFont buttonFont;
    QSize frame;
    QHash<QString, QRect> geometry;  // control name -> position and size in pixels
    // The question's picture: the thumbnail's place in the form (empty: at
    // the foot of List1, shown only while there is a picture) and the place
    // of its button.
    QRect pictureBox;
    QRect pictureButton;
    // How the controls follow a form made larger than `frame`, by control
    // name (the picture's panel is "picture"). Empty: the window does not
    // grow, its controls keep their places at any size.
    QHash<QString, Stretch> stretch;
    // The question box holds several lines (Manager) or one (Study, whose
    // box keeps its documented one-line height at any size).
    bool questionLines;
    // Where the window's size is kept between runs.
    WindowSizeMemory::Keys sizeKeys;

    bool hasCategory() const { return kind == Kind::Bank; }
    // The window can be resized and maximised, not below `frame`.
    bool grows() const { return !stretch.isEmpty(); }
    static const EditorVariant& study();
    static const EditorVariant& manager();
};
