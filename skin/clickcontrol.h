#pragma once
#include <QWidget>

// The mouse handling the skinned buttons share: Qt's mouse events turned
// into button, shift and position handlers, and one Click for a left press
// that is released inside the control.
class ClickControl : public QWidget {
public:
    using QWidget::QWidget;

protected:
    virtual void UserControl_MouseDown(int Button, int Shift, int X, int Y) = 0;
    virtual void UserControl_MouseMove(int Button, int Shift, int X, int Y) = 0;
    virtual void UserControl_MouseUp(int Button, int Shift, int X, int Y) = 0;
    virtual void UserControl_Click() = 0;

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool pressedHere_ = false;
};
