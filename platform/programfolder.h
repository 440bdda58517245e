// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The folder of the running program: both programs, the help page and the
// installed databases (DataFolder says which copy of the databases is used).
namespace ProgramFolder {

QString path();
// path() joined with a file name by one "/".
QString file(const QString& name);
// The running program's file name without its folder.
QString baseName();

}  // namespace ProgramFolder
