// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QMovie>
#include <QObject>
#include <QSize>
#include <memory>

#include "questionbank/picturedecoder.h"

// A question's animated picture (GIF or WebP of more than one frame), played
// over and over at the size a box gives it. The bytes pass the decoder's
// checks first (byte count, declared size, Qt's allocation limit, which
// holds for every frame the movie reads), so an animation is refused exactly
// where a still picture would be; the first frame is shown before the
// movie's first tick.
class AnimatedPicture : public QObject {
    Q_OBJECT
public:
    // Whether the bytes are an animation: GIF or WebP whose reader counts
    // more than one frame. Reads headers only.
    static bool isAnimation(const QByteArray& bytes);

    // The animation fitted into `box` as PictureDecoder fits a still one;
    // null when the bytes are refused (the reason in `decoded.error`) or do
    // not animate (then `decoded` holds the still picture). Not yet playing.
    static std::unique_ptr<AnimatedPicture> open(
        const QByteArray& bytes, const QSize& box, qreal dpr, PictureDecoder::Result* decoded,
        PictureDecoder::Scaling scaling = PictureDecoder::Scaling::ShrinkOnly);

    ~AnimatedPicture() override;

    void start();
    void stop();
    // The frame shown now, in device pixels with its ratio set.
    const QImage& frame() const { return frame_; }
    int frameNumber() const { return movie_.currentFrameNumber(); }
    // Plays completed so far (a play ends when the last frame's time is up).
    int loopsPlayed() const { return loops_; }
    QMovie& movie() { return movie_; }

signals:
    void frameChanged();
    // The first play is over; the animation goes on looping.
    void firstLoopEnded();

private:
    AnimatedPicture(const QByteArray& bytes, const PictureDecoder::Result& first);
    void onFrame(int number);
    void onFinished();
    void loopEnded();

    QByteArray bytes_;
    QBuffer buffer_;
    QMovie movie_;
    QImage frame_;
    qreal ratio_ = 1;
    int loops_ = 0;
    int lastFrame_ = -1;
};
