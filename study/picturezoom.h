// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>
#include <memory>

class AnimatedPicture;

// The question's picture at its own size, in a plain window over the
// display, for a sign too small to read there. It shows no larger than the
// screen's free area (scaled down, aspect kept); an animation plays on. Esc
// or a click closes it.
class PictureZoom : public QWidget {
    Q_OBJECT
public:
    // A window of `display` (stacked over it, on top when it is).
    explicit PictureZoom(QWidget* display);
    ~PictureZoom() override;

    // Shows `bytes` centred on the screen's free area `available`; false
    // when they do not decode.
    bool open(const QByteArray& bytes, const QRect& available);
    bool isOpen() const { return isVisible(); }
    // The picture's size on screen, in logical pixels.
    QSize pictureSize() const;
    const QImage& image() const { return image_; }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    QImage image_;
    std::unique_ptr<AnimatedPicture> movie_;
};
