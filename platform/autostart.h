// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Start at log-on through the freedesktop autostart folder: the entry
// $XDG_CONFIG_HOME/autostart/Velmorant.desktop starts the program by its full path.
namespace AutoStart {

// Full path of a program given its folder and base name: one "/" between the
// two, none added when the folder already ends in "/" (the file-system root).
QString programPath(const QString& folder, const QString& baseName);

// The Exec value for a program path, quoted by the Desktop Entry rules when
// the path holds blanks or other reserved characters.
QString execValue(const QString& programPath);

QString entryFile();

// Writes the entry. Failures are ignored.
void enable(const QString& programPath);
// Removes the entry; a missing entry is no failure. Failures are ignored.
void disable();

}  // namespace AutoStart
