// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folderpath.h"

namespace FolderPath {

QString join(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace FolderPath
