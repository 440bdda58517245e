// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/picturebox.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent, QColor background)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Cls() {
    if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(background_);
    update();
}

void PictureBox::PaintPicture(const QPixmap& picture, const QRect& dst, const QRect& src) {
    if (image_.isNull()) return;
    QPainter p(&image_);
    p.drawPixmap(dst, picture, src);
    update(dst);
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), background_);
    p.drawImage(e->rect(), image_, e->rect());
}

void PictureBox::resizeEvent(QResizeEvent*) {
    // Keep the old drawing where it still fits: a minimised window's band is
    // left as it was, not wiped.
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(background_);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}
