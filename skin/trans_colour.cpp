// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/trans_colour.h"

#include <QRegion>
#include <QWidget>

#include "platform/logging.h"

void trans_colour::cut_region(QWidget* form, const QImage& surface, QRgb key) {
    if (!form) return;
    QRegion region(0, 0, form->width(), form->height());
    int cut = 0;
    // Up to and including the width: the column beyond the surface reads as
    // not-key and stays.
    for (int y = 0; y <= 5; ++y) {
        for (int x = 0; x <= form->width(); ++x) {
            if (!surface.valid(x, y) || (surface.pixel(x, y) & 0xFFFFFF) != (key & 0xFFFFFF)) continue;
            region -= QRegion(x, y, 1, 1);
            ++cut;
        }
    }
    qCDebug(lcSkin) << "window region of" << form->objectName() << form->size() << "cut" << cut
                    << "pixels";
    form->setMask(region);
}
