// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QScrollBar>

// A vertical scroll bar used as a spinner: the larger number sits at the top
// and every upward gesture (arrow, trough, key, wheel) increases the value.
// Qt only mirrors the slider for an inverted appearance; its arrows and
// trough still step the other way, so those steps are turned round here.
class UpsideDownScrollBar : public QScrollBar {
    Q_OBJECT
public:
    UpsideDownScrollBar(int lowest, int highest, QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void turnStepRound(int action);
};
