// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace FolderPath {

// The path of `name` inside `folder`, with one '/' between them whether or
// not the folder is given with a trailing one.
QString join(const QString& folder, const QString& name);

}  // namespace FolderPath
