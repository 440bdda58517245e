// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/upsidedownscrollbar.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>

UpsideDownScrollBar::UpsideDownScrollBar(int lowest, int highest, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent) {
    setRange(lowest, highest);
    setSingleStep(1);
    setPageStep(1);
    setInvertedAppearance(true);
    // Keys: with inverted controls Up asks for a step down, which the
    // turn-round below makes a step up, like the upper arrow.
    setInvertedControls(true);
    // Qt leaves scroll bars out of the focus chain, as they normally ride on
    // a view that takes the keys; a spinner is a control of its own, reached
    // by a click and by Tab like the box beside it.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, &UpsideDownScrollBar::turnStepRound);
}

void UpsideDownScrollBar::turnStepRound(int action) {
    // The step is taken from the value, not from the slider position Qt has
    // already moved: at an end Qt clamps that position, so a step towards
    // the inside would look like no step at all and the spinner would stick.
    int step = 0;
    switch (action) {
        case SliderSingleStepAdd:
            step = -singleStep();
            break;
        case SliderSingleStepSub:
            step = singleStep();
            break;
        case SliderPageStepAdd:
            step = -pageStep();
            break;
        case SliderPageStepSub:
            step = pageStep();
            break;
        default:
            return;
    }
    setSliderPosition(std::clamp(value() + step, minimum(), maximum()));
}

// Inverted controls also invert the wheel; turn it back so that rolling up
// raises the number like every other upward gesture.
void UpsideDownScrollBar::wheelEvent(QWheelEvent* e) {
    QWheelEvent flipped(e->position(), e->globalPosition(), -e->pixelDelta(), -e->angleDelta(),
                        e->buttons(), e->modifiers(), e->phase(), e->inverted(), e->source(),
                        e->pointingDevice());
    QScrollBar::wheelEvent(&flipped);
    e->setAccepted(flipped.isAccepted());
}

// The styles draw no focus mark on a scroll bar; without one a learner could
// not tell that the keys now go to the spinner.
void UpsideDownScrollBar::paintEvent(QPaintEvent* e) {
    QScrollBar::paintEvent(e);
    if (!hasFocus()) return;
    QPainter p(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}
