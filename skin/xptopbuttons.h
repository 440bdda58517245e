// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QVariantMap>
#include "skin/clickcontrol.h"
#include <array>

class PictureClip;

// A 21 x 21 title-band button: close, maximise, minimise or restore by its
// Value, each with normal, hover, pressed and disabled images. It only raises
// events; the form performs the window command.
class xptopbuttons : public ClickControl {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
public:
    static constexpr int kSide = 21;
    enum Cell { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    explicit xptopbuttons(QWidget* parent = nullptr);

    int Value() const { return value_; }
    void setValue(int value);
    // The image shown now: a cell of the current sheet.
    QPixmap face() const;

    // Stored properties "Value" then "Enabled", keys matched without regard
    // to case.
    void InitProperties();
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

signals:
    void Click();
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
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void refresh();
    void showCell(int cell);

    std::array<PictureClip*, 4> pc{};
    int value_ = 0;
    qint16 sheet_ = 0;
    int cell_ = Normal;
};
