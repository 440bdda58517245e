// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/propertybag.h"

QVariant PropertyBag::read(const QVariantMap& bag, const QString& key, const QVariant& fallback) {
    for (auto it = bag.cbegin(); it != bag.cend(); ++it)
        if (it.key().compare(key, Qt::CaseInsensitive) == 0) return it.value();
    return fallback;
}
