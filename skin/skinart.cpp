// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinart.h"

#include "platform/logging.h"

QPixmap SkinArt::load(const QString& name) {
    QPixmap pixmap(QStringLiteral(":/skin/%1.png").arg(name));
    if (pixmap.isNull()) qCDebug(lcSkin) << "skin picture missing:" << name;
    return pixmap;
}
