// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/colourswatch.h"

#include <QMouseEvent>

#include "platform/olecolour.h"

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setOleColour(std::uint32_t ole) {
    ole_ = ole;
    QPalette p = palette();
    p.setColor(QPalette::Window, OleColour::toColor(ole));
    setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* e) {
    // A click is a press and release over the swatch, as for a button.
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QFrame::mouseReleaseEvent(e);
}
