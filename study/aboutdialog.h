// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QLabel>

// The picture of the about window; a click on it closes the window.
class ClickableImage : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent*) override { emit clicked(); }
};

// The about window "Version": one picture with the program name and version.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // The picture, drawn for the given size in pixels.
    static QPixmap picture(QSize size, qreal dpr);

private:
    ClickableImage* image_;
};
