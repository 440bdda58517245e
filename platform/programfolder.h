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

// Whether a folder belongs to the system's packages: it lies (symbolic links
// resolved) under /usr but not under /usr/local. The package manager owns
// and replaces such a folder, so nobody, root included, may keep data there.
bool belongsToPackage(const QString& folder);

}  // namespace ProgramFolder
