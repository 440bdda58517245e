// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QVariantMap>
#include <array>
#include "skin/clickcontrol.h"

class PictureClip;

// A 21 x 21 title-band button: close, maximise, minimise or restore by its
// Value, each with normal, hover, pressed and disabled images. It only raises
// events; the form performs the window command.
class TitleBarButtons : public ClickControl {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    static constexpr int kSide = 21;
    enum Cell { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    explicit TitleBarButtons(QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);
    // The image shown now: a cell of the current sheet.
    QPixmap face() const;

    // Stored properties "Value" then "Enabled", keys matched without regard
    // to case.
    void loadDefaults();
    void loadProperties(const QVariantMap& bag);
    QVariantMap storedProperties() const;

protected:
    void showLook(Look look) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void refresh();
    void showCell(int cell);

    std::array<PictureClip*, 4> sheets_{};
    int value_ = 0;
    qint16 sheet_ = 0;
    int cell_ = Normal;
};
