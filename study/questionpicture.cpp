// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/questionpicture.h"

#include <QPainter>
#include <QScreen>

#include "platform/logging.h"
#include "platform/widgets/twips.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/recordset.h"

QuestionPicture::QuestionPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QuestionPicture"));
    // Clicks and drags belong to the window, as on the text.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QSize QuestionPicture::box() const {
    const QScreen* s = screen();
    const int widest = s ? s->availableGeometry().width() - Twips::toPixels(200) : 4096;
    return {std::max(1, widest), Twips::toPixels(kMaxHeightTwips)};
}

void QuestionPicture::showRecord(RecordSet* set) {
    if (!set || !set->hasCurrent() || !set->hasPictureColumn()) {
        clear();
        return;
    }
    QString why;
    const QByteArray bytes = reader_ ? reader_(*set, &why) : set->picture(&why);
    if (bytes.isEmpty()) {
        if (!why.isEmpty()) qCInfo(lcDisplay).noquote() << "picture not shown:" << why;
        clear();
        return;
    }
    if (!showBytes(bytes, &why)) qCInfo(lcDisplay).noquote() << "picture not shown:" << why;
}

bool QuestionPicture::showBytes(const QByteArray& bytes, QString* why) {
    const PictureDecoder::Result r = PictureDecoder::decode(bytes, box(), devicePixelRatioF());
    if (!r.ok()) {
        if (why) *why = r.error;
        clear();
        return false;
    }
    image_ = r.image;
    resize(pictureSize());
    show();
    update();
    const QSize s = pictureSize();
    qCInfo(lcDisplay).noquote()
        << QStringLiteral("picture %1x%2 %3 (own size %4x%5, %6 device pixels)")
               .arg(s.width())
               .arg(s.height())
               .arg(QString::fromLatin1(r.format))
               .arg(r.naturalSize.width())
               .arg(r.naturalSize.height())
               .arg(QStringLiteral("%1x%2").arg(image_.width()).arg(image_.height()));
    return true;
}

void QuestionPicture::clear() {
    image_ = QImage();
    hide();
}

QSize QuestionPicture::pictureSize() const {
    if (image_.isNull()) return {};
    return (QSizeF(image_.size()) / image_.devicePixelRatio()).toSize();
}

int QuestionPicture::spaceAbove() const {
    return shown() ? pictureSize().height() + Twips::toPixels(kGapTwips) : 0;
}

void QuestionPicture::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}
