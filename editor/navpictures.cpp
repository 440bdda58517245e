// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/navpictures.h"

#include <QPainter>
#include <QPolygon>

namespace NavPictures {

QPixmap picture(Kind kind) {
    const bool add = kind == Kind::Add;
    QPixmap pm(add ? QSize(16, 16) : QSize(11, 16));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QColor ink(24, 60, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto left = [&](int x) { p.drawPolygon(QPolygon({QPoint(x + 4, 4), QPoint(x, 8), QPoint(x + 4, 12)})); };
    auto right = [&](int x) { p.drawPolygon(QPolygon({QPoint(x, 4), QPoint(x + 4, 8), QPoint(x, 12)})); };
    switch (kind) {
        case Kind::First: p.fillRect(1, 4, 2, 9, ink); left(4); break;
        case Kind::Previous: left(3); break;
        case Kind::Next: right(4); break;
        case Kind::Last: right(3); p.fillRect(8, 4, 2, 9, ink); break;
        case Kind::Add: {
            p.setBrush(QColor(255, 255, 240));
            p.setPen(QColor(120, 110, 80));
            p.drawRect(1, 1, 10, 13);  // a sheet of paper
            p.setPen(QColor(180, 170, 140));
            for (int y = 4; y <= 11; y += 2) p.drawLine(3, y, 9, y);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 140, 40));
            p.drawRect(10, 6, 2, 8);   // a green plus
            p.drawRect(7, 9, 8, 2);
            break;
        }
    }
    return pm;
}

QPixmap managerIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 50, 120), 1.5));
    p.setBrush(QColor(60, 120, 210));
    p.drawRoundedRect(QRectF(3, 2, 22, 28), 3, 3);  // the bank, a book
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(7, 7, 14, 3));
    p.drawRect(QRectF(7, 13, 14, 2));
    p.drawRect(QRectF(7, 18, 10, 2));
    p.setPen(QPen(QColor(200, 120, 20), 3));
    p.drawLine(QPointF(20, 28), QPointF(29, 17));  // and a pencil
    return pm;
}

}  // namespace NavPictures
