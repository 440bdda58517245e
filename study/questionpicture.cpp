// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/questionpicture.h"

#include <QPainter>
#include <QScreen>
#include <cmath>

#include "platform/logging.h"
#include "platform/widgets/twips.h"
#include "questionbank/animatedpicture.h"
#include "questionbank/picturedecoder.h"
#include "questionbank/recordset.h"

QuestionPicture::QuestionPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QuestionPicture"));
    // Clicks and drags belong to the window, as on the text.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QuestionPicture::~QuestionPicture() = default;

QSize QuestionPicture::boxFor(int points, const QRect& available) {
    const int base = Twips::toPixels(kMaxHeightTwips);
    int height = base;
    // Beside large text a picture of today's height is lost; below 12
    // points it keeps that height, so small text does not shrink a sign.
    if (points > kBasePoints) {
        height = int(std::lround(double(base) * points / kBasePoints));
        if (!available.isEmpty()) height = std::min(height, available.height() / 3);
        height = std::max(height, base);
    }
    const int widest = available.isEmpty() ? 4096 : available.width() - Twips::toPixels(200);
    return {std::max(1, widest), height};
}

QSize QuestionPicture::box() const {
    const QScreen* s = screen();
    return boxFor(points_, s ? s->availableGeometry() : QRect());
}

void QuestionPicture::setFontPoints(int points) {
    if (points == points_) return;
    const QSize before = box();
    points_ = points;
    if (!shown() || box() == before) return;
    QString why;
    if (!display(bytes_, true, &why)) qCInfo(lcDisplay).noquote() << "picture not shown:" << why;
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
    return display(bytes, false, why);
}

// `sameRecord`: the shown picture fitted to a new box. Its animation starts
// again, but a first play already over does not hold the display again.
bool QuestionPicture::display(const QByteArray& bytes, bool sameRecord, QString* why) {
    ++generation_;
    movie_.reset();
    PictureDecoder::Result r;
    std::unique_ptr<AnimatedPicture> movie =
        AnimatedPicture::open(bytes, box(), devicePixelRatioF(), &r);
    if (!r.ok()) {
        if (why) *why = r.error;
        clear();
        return false;
    }
    bytes_ = bytes;
    image_ = r.image;
    if (!sameRecord) firstLoopOver_ = false;
    if (movie) {
        movie_ = std::move(movie);
        connect(movie_.get(), &AnimatedPicture::frameChanged, this, [this] {
            image_ = movie_->frame();
            update();
        });
        // Told later, from the event loop: the step it may bring replaces
        // this movie, which must not go while it is still emitting. A notice
        // of a movie replaced meanwhile is dropped.
        connect(movie_.get(), &AnimatedPicture::firstLoopEnded, this, [this, g = generation_] {
            QMetaObject::invokeMethod(
                this,
                [this, g] {
                    if (g != generation_ || firstLoopOver_) return;
                    firstLoopOver_ = true;
                    emit firstLoopEnded();
                },
                Qt::QueuedConnection);
        });
        movie_->start();
    }
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
                   .arg(QStringLiteral("%1x%2").arg(image_.width()).arg(image_.height())) +
               (movie_ ? QStringLiteral(" animated") : QString());
    if (movie_ && !firstLoopOver_) emit firstLoopStarted();
    return true;
}

void QuestionPicture::clear() {
    ++generation_;
    movie_.reset();
    image_ = QImage();
    bytes_.clear();
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
