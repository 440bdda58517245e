// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/picturezoom.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/logging.h"
#include "questionbank/animatedpicture.h"

PictureZoom::PictureZoom(QWidget* display)
    : QWidget(display, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("PictureZoom"));
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
}

PictureZoom::~PictureZoom() = default;

bool PictureZoom::open(const QByteArray& bytes, const QRect& available) {
    movie_.reset();
    PictureDecoder::Result r;
    // Never enlarged: the display shows a picture at most at its own size,
    // so its own size is never smaller than there.
    movie_ = AnimatedPicture::open(bytes, available.size(), devicePixelRatioF(), &r);
    if (!r.ok()) {
        qCInfo(lcDisplay).noquote() << "picture not zoomed:" << r.error;
        return false;
    }
    image_ = r.image;
    if (movie_) {
        connect(movie_.get(), &AnimatedPicture::frameChanged, this, [this] {
            image_ = movie_->frame();
            update();
        });
        movie_->start();
    }
    // The top layer, when the display is there, or the display would hide it.
    if (parentWidget())
        setWindowFlag(Qt::WindowStaysOnTopHint,
                      parentWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    const QSize s = pictureSize();
    setGeometry(QRect(available.topLeft() + QPoint((available.width() - s.width()) / 2,
                                                   (available.height() - s.height()) / 2),
                      s));
    show();
    raise();
    activateWindow();
    setFocus();
    qCInfo(lcDisplay).noquote() << QStringLiteral("picture zoomed to %1x%2 (own size %3x%4)")
                                       .arg(s.width())
                                       .arg(s.height())
                                       .arg(r.naturalSize.width())
                                       .arg(r.naturalSize.height());
    return true;
}

QSize PictureZoom::pictureSize() const {
    if (image_.isNull()) return {};
    return (QSizeF(image_.size()) / image_.devicePixelRatio()).toSize();
}

void PictureZoom::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter(this).drawImage(QPoint(0, 0), image_);
}

void PictureZoom::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void PictureZoom::mousePressEvent(QMouseEvent*) {
    close();
}

void PictureZoom::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous()) return;  // minimised by the system, still open
    movie_.reset();
    qCInfo(lcDisplay) << "picture zoom closed";
    emit closed();
}
