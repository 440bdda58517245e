// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

class QString;

// --help and --version of a windowed program, answered before the
// application object exists: no display, window, single-instance test or
// setting is touched. Other arguments (Qt's own such as -platform) are left
// for QApplication.
namespace CommandLine {

// The exit code when argv asked for --help or --version (answered on
// stdout), nothing when the program should start.
std::optional<int> answerInfoOptions(int argc, char** argv, const QString& program,
                                     const QString& description);

}  // namespace CommandLine
