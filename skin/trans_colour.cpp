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
            if (!surface.valid(x, y) || (surface.pixel(x, y) & 0xFFFFFF) != (key & 0xFFFFFF))
                continue;
            region -= QRegion(x, y, 1, 1);
            ++cut;
        }
    }
    qCDebug(lcSkin) << "window region of" << form->objectName() << form->size() << "cut" << cut
                    << "pixels";
    form->setMask(region);
}

QPixmap trans_colour::without_key(const QPixmap& picture, QRgb key, const QColor& fill) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb ink = fill.rgb() & 0xFFFFFF;
    bool changed = false;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != (key & 0xFFFFFF)) continue;
            line[x] = (line[x] & 0xFF000000) | ink;
            changed = true;
        }
    }
    return changed ? QPixmap::fromImage(image) : picture;
}
