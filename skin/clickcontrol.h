// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

// The mouse handling the skinned buttons share: Qt's mouse events turned
// into button, shift and position events, one Click for a left press that
// is released inside the control, and one MouseOut when the pointer leaves
// after it has moved over the control. Each control only draws its look.
class ClickControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void Click();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void MouseOut();

protected:
    enum class Look { Rest, Hover, Pressed };
    virtual void showLook(Look look) = 0;
    // Whether a press and a release change the look before the form hears
    // of them (title bar buttons: a form that closes or hides the window on
    // the release never leaves a pressed image behind) or after.
    void setLookFirst(bool on) { lookFirst_ = on; }

    void onPress(int button, int shift, int x, int y);
    void onMove(int button, int shift, int x, int y);
    void onRelease(int button, int shift, int x, int y);
    void onClick();
    // The pointer was seen outside the control while the leaving was watched.
    void onPointerOut();

    // From now on the control waits for the pointer to leave it (a move over
    // the control does this too). The pointer counts as gone when Qt says it
    // left, or when a move reaches the control from outside its rectangle
    // (while a button is held the moves follow the pointer everywhere, and
    // Qt reports the leaving only after the release). Nothing polls.
    void watchLeaving();
    // Once the control is shown: the pointer is not over it now (the watch
    // then ends at once), or the leaving is reported later.
    void checkLeavingSoon();
    bool watchingLeaving() const { return watching_; }
    // A move reached the control at p (its own coordinates); outside it, the
    // pointer has left.
    void pointerAt(QPoint p);

    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // Over the control counts up to and including its width and height.
    bool over(int x, int y) const;

private:
    void pointerLeft();

    bool pressedHere_ = false;
    bool lookFirst_ = false;
    bool watching_ = false;
};
