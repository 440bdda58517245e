// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/animatedpicture.h"

#include <QImageReader>

bool AnimatedPicture::isAnimation(const QByteArray& bytes) {
    const QByteArray format = PictureDecoder::format(bytes);
    if (format != "gif" && format != "webp") return false;
    QByteArray copy = bytes;  // QBuffer needs a non-const array; shares the data
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.supportsAnimation() && reader.imageCount() > 1;
}

std::unique_ptr<AnimatedPicture> AnimatedPicture::open(const QByteArray& bytes, const QSize& box,
                                                       qreal dpr, PictureDecoder::Result* decoded,
                                                       PictureDecoder::Scaling scaling) {
    // The still decoder applies every limit and gives the first frame and
    // the size the movie's frames are read at.
    PictureDecoder::Result first = PictureDecoder::decode(bytes, box, dpr, scaling);
    if (decoded) *decoded = first;
    if (!first.ok() || !isAnimation(bytes)) return nullptr;
    return std::unique_ptr<AnimatedPicture>(new AnimatedPicture(bytes, first));
}

AnimatedPicture::AnimatedPicture(const QByteArray& bytes, const PictureDecoder::Result& first)
    : bytes_(bytes), frame_(first.image), ratio_(first.image.devicePixelRatio()) {
    buffer_.setBuffer(&bytes_);
    buffer_.open(QIODevice::ReadOnly);
    movie_.setFormat(first.format);
    movie_.setDevice(&buffer_);
    // Frames are decoded as they come: a long animation kept whole could
    // hold hundreds of megabytes.
    movie_.setCacheMode(QMovie::CacheNone);
    movie_.setScaledSize(first.image.size());
    connect(&movie_, &QMovie::frameChanged, this, &AnimatedPicture::onFrame);
    connect(&movie_, &QMovie::finished, this, &AnimatedPicture::onFinished);
}

AnimatedPicture::~AnimatedPicture() {
    movie_.disconnect(this);
    movie_.stop();
}

void AnimatedPicture::start() {
    lastFrame_ = -1;
    movie_.start();
}

void AnimatedPicture::stop() {
    movie_.stop();
}

void AnimatedPicture::onFrame(int number) {
    // Back at the first frame after a later one: the file's own loop began
    // the next play.
    if (number == 0 && lastFrame_ > 0) loopEnded();
    lastFrame_ = number;
    QImage image = movie_.currentImage();
    if (image.isNull()) return;
    image.setDevicePixelRatio(ratio_);
    frame_ = image;
    emit frameChanged();
}

void AnimatedPicture::onFinished() {
    // A file that plays once (or a set number of times) ends here and plays
    // again. One whose second frame cannot be read ends too, and stays on
    // its first: playing it again would only decode that frame over and
    // over.
    const bool moved = lastFrame_ > 0;
    loopEnded();
    lastFrame_ = -1;
    if (moved) QMetaObject::invokeMethod(&movie_, &QMovie::start, Qt::QueuedConnection);
}

void AnimatedPicture::loopEnded() {
    ++loops_;
    if (loops_ == 1) emit firstLoopEnded();
}
