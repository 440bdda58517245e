// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/categories.h"

namespace Categories {

QStringList names() { return kList.split(QLatin1Char('-'), Qt::KeepEmptyParts, Qt::CaseSensitive); }

}  // namespace Categories
