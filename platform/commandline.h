// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

class QString;

// The command line of a windowed program, read before the application
// object exists: --help and --version are answered and an unknown option is
// refused without a display, window, single-instance test or setting being
// touched. Qt's own options (-platform, -reverse, -style ...) are let through
// for QApplication.
namespace CommandLine {

// The exit code when the program should not start: 0 after --help or
// --version (answered on stdout), 2 after an unknown option or a missing
// value (one line on stderr naming it and pointing to --help). Nothing when
// the program should start.
std::optional<int> answerBeforeStart(int argc, char** argv, const QString& program,
                                     const QString& description);

}  // namespace CommandLine
