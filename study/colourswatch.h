// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <cstdint>

// A picture box used as a colour swatch. It keeps the colour number it was
// given, so a system-colour reference survives a save unchanged instead of
// turning into whatever RGB the current palette resolves it to.
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    std::uint32_t oleColour() const { return ole_; }
    void setOleColour(std::uint32_t ole);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::uint32_t ole_ = 0;
};
