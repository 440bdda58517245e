// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The stored properties of a placed control: a map from key to value whose
// keys match without regard to case, as the form files written by hand spell
// them in any case.
namespace PropertyBag {

QVariant read(const QVariantMap& bag, const QString& key, const QVariant& fallback);

}  // namespace PropertyBag
