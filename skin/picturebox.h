// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPixmap>
#include <QWidget>

// A surface that keeps what was drawn on it: exposure only shows the retained
// image, so the skin changes only when a layout paints it.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent, QColor background = QColor(236, 233, 216));

    void Cls();
    void setBackColor(const QColor& colour) { background_ = colour; }
    // Copies src of picture into dst, scaling when the two sizes differ.
    void PaintPicture(const QPixmap& picture, const QRect& dst, const QRect& src);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage image_;
    QColor background_;
};
