// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QVariantMap>
#include <QEvent>
#include <QWidget>
#include <array>

#include "skin/edges.h"
#include "skin/focuswatch.h"

class QLabel;
class PictureBox;

// A container that draws a whole window frame (title band, borders, icon,
// caption) from skin pictures, for a form without a system frame, and lets the
// user move, maximise, restore and resize that form with the mouse.
//
// The form creates one frame at 0,0 filling its client area and puts its
// controls inside it. While the frame sits at 0,0 filling its parent it
// follows the parent's size by itself; a form may also resize it directly.
class SkinFrame : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QPixmap Icon READ icon WRITE setIcon)
    Q_PROPERTY(bool Fixed_Single READ fixedFrame WRITE setFixedFrame)
public:
    static constexpr QRgb kKeyColour = 0xFFFF00FF;
    static constexpr QRgb kSurfaceColour = 0xFFECE9D8;
    static constexpr int kBandHeight = 29;
    static constexpr int kBorder = 5;
    static constexpr int kGrip = 9;

    explicit SkinFrame(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    QPixmap icon() const { return icon_; }
    void setIcon(const QPixmap& icon);
    bool fixedFrame() const { return fixed_; }
    void setFixedFrame(bool fixed);
    // Active look and a fresh layout; the keyboard focus stays where it is.
    void refreshActive();
    // Cuts the key-coloured corner pixels of the title band out of form's
    // window region. Call after a layout, and again after the form resizes.
    void cutCorners(QWidget* form);

    // Stored properties "Caption", "Icon", "Fixed_Single". Keys match without
    // regard to case; values equal to their defaults are not written.
    void loadDefaults();
    void loadProperties(const QVariantMap& bag);
    QVariantMap storedProperties() const;

    const QImage& surface() const { return surface_; }

signals:
    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void Resize();
    void PropertyChanged(const QString& name);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void layoutParts();
    void onFocusEntered();
    void onGotFocus();
    bool placeBands();
    bool paintSides();
    bool paintTitleBand();
    bool placeGrips();
    bool setCursors();
    void followActivation();
    void requestLayout();
    void requestFollowActivation();
    void runOnceQueued(bool& queued, void (SkinFrame::*step)());
    void useActiveLook();
    void useInactiveLook();
    void resizeByDrag(QWidget* form, QPoint press, QPoint release, Edge edge);

    void dragByTitle(QWidget* part, QEvent::Type type, int button, QPoint p);

    // A border or grip, and the edge it moves.
    struct Zone {
        QWidget* widget = nullptr;
        Edge edge = Edge::Left;
    };

    QWidget* form() const;
    QWidget* zone(Edge edge) const { return zones_[edges::code(edge)].widget; }
    void buildGrips();
    void zonePressed(const Zone& zone, int x, int y);
    void zoneReleased(const Zone& zone, int x, int y);
    void beginMove(QWidget* from, int x, int y);
    void followMove(QWidget* from, int x, int y);
    void endMove();
    void toggleMaximised();
    void applyLook(int set);
    void trackParent(QWidget* parent);
    bool dispatchMouse(QObject* watched, QMouseEvent* e);

    PictureBox* titleBand_;
    PictureBox* bottomBorder_;
    PictureBox* leftBorder_;
    PictureBox* rightBorder_;
    QLabel* caption_;
    QLabel* iconImage_;
    QLabel* captionShadow_;
    // Every resize zone, by edge: the side borders, the bottom border and the
    // grips (imgresize<code>).
    std::array<Zone, 8> zones_{};
    QLabel* defaultIcon_;
    QLabel* heldTop_;
    QLabel* heldTopMax_;
    QLabel* heldLeft_;
    QLabel* heldRight_;
    QLabel* heldBottom_;
    // [0] the active set, [1] the inactive set, in holder order
    std::array<std::array<QLabel*, 5>, 2> lookSets_{};

    // The pictures the holders show now. The look follows the form's
    // activation, read when the queued follow-up runs, so the last change
    // always wins; each change is applied with a full layout.
    enum class Look { Active, Inactive };
    Look look_ = Look::Active;
    // A layout asked for while one runs (from a handler of Resize, say) is
    // run once after it, not inside it.
    bool layingOut_ = false;
    bool layoutQueued_ = false;
    bool followQueued_ = false;
    QImage surface_;
    QPixmap icon_;
    bool fixed_ = false;
    bool constructing_ = true;
    bool pressedHere_ = false;  // a left press on the surface, not a double click's
    QPoint pressPoint_;
    QPoint releasePoint_;
    // A press on the band arms a move; dragging starts it. Without a system
    // move the frame moves the form itself from where the press was.
    bool moveArmed_ = false;
    bool moving_ = false;
    QPoint moveFrom_;
    QPoint formFrom_;
    QWidget* trackedParent_ = nullptr;
    // Ends with the frame's own members, before QWidget's destructor moves
    // the focus off the children: no focus change reaches a frame that is
    // no longer whole.
    FocusWatch focusWatch_{this};
};
