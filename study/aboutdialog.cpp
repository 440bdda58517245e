// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/aboutdialog.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "platform/widgets/twips.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Version"));
    // A picture of one size: a title and a close box, nothing to maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const QSize client(Twips::toPixels(4200), Twips::toPixels(2775));
    setFixedSize(client);
    image_ = new ClickableImage(this);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setGeometry(QRect(QPoint(0, 0), client));
    image_->setPixmap(picture(client, devicePixelRatioF()));
    // A click on the picture closes the window.
    connect(image_, &ClickableImage::clicked, this, &QDialog::accept);
}

QPixmap AboutDialog::picture(QSize size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(40, 86, 168));
    sky.setColorAt(1, QColor(120, 170, 225));
    p.fillRect(r, sky);
    // A road running towards the horizon.
    QPainterPath road;
    const double h = r.height(), w = r.width();
    road.moveTo(w * 0.42, h * 0.55);
    road.lineTo(w * 0.58, h * 0.55);
    road.lineTo(w * 0.95, h);
    road.lineTo(w * 0.05, h);
    road.closeSubpath();
    p.fillRect(QRectF(0, h * 0.55, w, h * 0.45), QColor(86, 150, 70));
    p.fillPath(road, QColor(70, 70, 76));
    p.setPen(QPen(QColor(250, 220, 60), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.57), QPointF(w * 0.5, h));
    p.setPen(Qt::white);
    QFont title(QStringLiteral("WenQuanYi Micro Hei"));
    title.setPixelSize(int(h * 0.16));
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(0, h * 0.08, w, h * 0.22), Qt::AlignCenter,
               QStringLiteral("Quillmere 驾考助手"));
    QFont small(QStringLiteral("WenQuanYi Micro Hei"));
    small.setPixelSize(int(h * 0.08));
    p.setFont(small);
    p.drawText(QRectF(0, h * 0.30, w, h * 0.12), Qt::AlignCenter,
               QStringLiteral("版本 %1").arg(QStringLiteral(QUILLMERE_VERSION)));
    p.drawText(QRectF(0, h * 0.41, w, h * 0.1), Qt::AlignCenter, QStringLiteral("点击图片关闭"));
    return pm;
}
