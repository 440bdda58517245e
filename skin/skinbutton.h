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
class SkinButton : public ClickControl {
    Q_OBJECT
    Q_CLASSINFO("State", "Returns/sets the state of the command button when mouse_out.")
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int State READ state WRITE setState)
public:
    static constexpr int kCellWidth = 18;
    static constexpr int kCellHeight = 21;
    enum Face { Normal = 0, Pressed = 1, Disabled = 2, Hover = 3, Highlighted = 4 };
    static const char* const kStateDescription;
    static const QColor kEnabledInk;
    static const QColor kDisabledInk;

    explicit SkinButton(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    int state() const { return state_; }
    void setState(int state);
    const QPixmap& face() const { return face_; }

    // Stored properties "State", "Enabled", "Caption", "Font"; read in that
    // order through the properties, keys matched without regard to case.
    void loadDefaults();
    void loadProperties(const QVariantMap& bag);
    QVariantMap storedProperties() const;

signals:
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);

protected:
    void showLook(Look look) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void paintFace(int f);
    void showRestFace();
    void layoutCaption();
    void colourCaption();
    void onAccessKey();
    void onCaptionPress(int button, int shift, int x, int y);
    void onCaptionMove(int button, int shift, int x, int y);
    void onCaptionRelease(int button, int shift, int x, int y);
    void onCaptionClick();

    QLabel* caption_;
    PictureClip* faces_;
    QPixmap face_;
    int state_ = 0;
    qint16 restFace_ = Normal;
    // A left press seen on the control (or on the caption): its release
    // inside makes the click. A double click's second press does not count.
    bool pressedOnCaption_ = false;
};
