// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QVariantMap>
#include "skin/clickcontrol.h"

class QLabel;
class PictureClip;

// A command button drawn from a sheet of five faces (normal, pressed,
// disabled, hover, highlighted) that stretches to any size while its 3-pixel
// rounded border stays sharp. It only raises events; the form acts on them.
class xpcmdbutton : public ClickControl {
    Q_OBJECT
    Q_CLASSINFO("State", "Returns/sets the state of the command button when mouse_out.")
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int State READ State WRITE setState)
public:
    static constexpr int kCellWidth = 18;
    static constexpr int kCellHeight = 21;
    enum Face { Normal = 0, Pressed = 1, Disabled = 2, Hover = 3, Highlighted = 4 };
    static const char* const kStateDescription;
    static const QColor kEnabledInk;
    static const QColor kDisabledInk;

    explicit xpcmdbutton(QWidget* parent = nullptr);

    QString Caption() const;
    void setCaption(const QString& caption);
    int State() const { return state_; }
    void setState(int state);
    const QPixmap& face() const { return face_; }

    // Stored properties "State", "Enabled", "Caption", "Font"; read in that
    // order through the properties, keys matched without regard to case.
    void InitProperties();
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

signals:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void MouseOut();

protected:
    void UserControl_MouseDown(int Button, int Shift, int X, int Y) override;
    void UserControl_MouseMove(int Button, int Shift, int X, int Y) override;
    void UserControl_MouseUp(int Button, int Shift, int X, int Y) override;
    void UserControl_Click() override;
    void UserControl_MouseOut() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void PaintFace(int f);
    void ShowRestFace();
    void layoutCaption();
    void colourCaption();
    void UserControl_AccessKeyPress();
    void lbl_MouseDown(int Button, int Shift, int X, int Y);
    void lbl_MouseMove(int Button, int Shift, int X, int Y);
    void lbl_MouseUp(int Button, int Shift, int X, int Y);
    void lbl_Click();

    QLabel* lbl;
    PictureClip* pc;
    QPixmap face_;
    int state_ = 0;
    qint16 restFace_ = Normal;
    // A left press seen on the control (or on the caption): its release
    // inside makes the click. A double click's second press does not count.
    bool pressedOnCaption_ = false;
};
