// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/xpcmdbutton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include "skin/eventargs.h"
#include "skin/pictureclip.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"

const char* const xpcmdbutton::kStateDescription =
    "Returns/sets the state of the command button when mouse_out.";
const QColor xpcmdbutton::kEnabledInk(0, 0, 0);
const QColor xpcmdbutton::kDisabledInk(161, 161, 146);

xpcmdbutton::xpcmdbutton(QWidget* parent) : ClickControl(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setAttribute(Qt::WA_TranslucentBackground);
    lbl->setMouseTracking(true);
    // With the button as buddy the label underlines the access key and owns
    // its shortcut; the shortcut is turned into a click below.
    lbl->setBuddy(this);
    lbl->installEventFilter(this);
    pc = new PictureClip(SkinArt::load(QStringLiteral("cmdfaces")), 5, 1, this);
    pc->setObjectName(QStringLiteral("pc"));
    resize(81, 25);
    colourCaption();
    layoutCaption();
}

QString xpcmdbutton::Caption() const { return lbl->text(); }

void xpcmdbutton::setCaption(const QString& caption) {
    lbl->setText(caption);
    layoutCaption();
}

void xpcmdbutton::setState(int state) {
    state_ = state;
    ShowRestFace();
}

void xpcmdbutton::InitProperties() { ReadProperties({}); }

void xpcmdbutton::ReadProperties(const QVariantMap& bag) {
    setState(PropertyBag::read(bag, QStringLiteral("State"), 0).toInt());
    setEnabled(PropertyBag::read(bag, QStringLiteral("Enabled"), true).toBool());
    setCaption(PropertyBag::read(bag, QStringLiteral("Caption"), objectName()).toString());
    const QVariant font = PropertyBag::read(bag, QStringLiteral("Font"), {});
    if (font.canConvert<QFont>()) setFont(font.value<QFont>());
    else setFont(QFont());  // resolves back to the holding window's font
}

QVariantMap xpcmdbutton::WriteProperties() const {
    QVariantMap bag;
    if (state_ != 0) bag.insert(QStringLiteral("State"), state_);
    if (!isEnabled()) bag.insert(QStringLiteral("Enabled"), false);
    if (Caption() != objectName()) bag.insert(QStringLiteral("Caption"), Caption());
    if (testAttribute(Qt::WA_SetFont)) bag.insert(QStringLiteral("Font"), font());
    return bag;
}

void xpcmdbutton::PaintFace(int f) {
    const QPixmap cell = pc->GraphicCell(f);
    const int W = width(), H = height();
    face_ = QPixmap(size());
    face_.fill(Qt::transparent);
    if (!cell.isNull()) {
        QPainter p(&face_);
        const struct {
            QRect dst, src;
        } pieces[9] = {
            {{0, 0, 3, 3}, {0, 0, 3, 3}},                  // top-left corner
            {{W - 3, 0, 3, 3}, {15, 0, 3, 3}},             // top-right corner
            {{W - 3, H - 3, 3, 3}, {15, 18, 3, 3}},        // bottom-right corner
            {{0, H - 3, 3, 3}, {0, 18, 3, 3}},             // bottom-left corner
            {{3, 0, W - 6, 3}, {3, 0, 12, 3}},             // top edge
            {{W - 3, 3, 3, H - 6}, {15, 3, 3, 15}},        // right edge
            {{0, 3, 3, H - 6}, {0, 3, 3, 15}},             // left edge
            {{3, H - 3, W - 6, 3}, {3, 18, 12, 3}},        // bottom edge
            {{3, 3, W - 6, H - 6}, {3, 3, 12, 15}},        // centre
        };
        for (const auto& piece : pieces)
            if (piece.dst.width() > 0 && piece.dst.height() > 0)
                p.drawPixmap(piece.dst, cell, piece.src);
    }
    update();
}

void xpcmdbutton::ShowRestFace() {
    if (state_ == 1) restFace_ = Highlighted;
    else if (state_ == 0) restFace_ = Normal;
    PaintFace(isEnabled() ? restFace_ : Disabled);
}

void xpcmdbutton::layoutCaption() {
    ShowRestFace();
    lbl->adjustSize();
    lbl->move((width() - lbl->width()) / 2, (height() - lbl->height()) / 2);
}

void xpcmdbutton::colourCaption() {
    QPalette pal = lbl->palette();
    const QColor ink = isEnabled() ? kEnabledInk : kDisabledInk;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, ink);
    lbl->setPalette(pal);
}

void xpcmdbutton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        ShowRestFace();
        colourCaption();
    } else if (e->type() == QEvent::FontChange) {
        lbl->setFont(font());
        layoutCaption();
    }
    QWidget::changeEvent(e);
}

void xpcmdbutton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(backgroundRole()));
    p.drawPixmap(0, 0, face_);
}

void xpcmdbutton::resizeEvent(QResizeEvent*) { layoutCaption(); }
void xpcmdbutton::showEvent(QShowEvent*) { ShowRestFace(); }

void xpcmdbutton::UserControl_MouseDown(int Button, int Shift, int X, int Y) {
    emit MouseDown(Button, Shift, X, Y);
    PaintFace(Pressed);
}

void xpcmdbutton::UserControl_MouseMove(int Button, int Shift, int X, int Y) {
    if (over(X, Y)) {
        watchLeaving();
        emit MouseMove(Button, Shift, X, Y);
        PaintFace(Button == 1 ? Pressed : Hover);
    }
}

void xpcmdbutton::UserControl_MouseUp(int Button, int Shift, int X, int Y) {
    emit MouseUp(Button, Shift, X, Y);
    ShowRestFace();
}

void xpcmdbutton::UserControl_Click() { emit Click(); }
void xpcmdbutton::UserControl_AccessKeyPress() { emit Click(); }

void xpcmdbutton::lbl_MouseDown(int Button, int Shift, int X, int Y) {
    UserControl_MouseDown(Button, Shift, X, Y);
}
// Over the caption the move counts as one at the caption's corner, which is
// always inside the button.
void xpcmdbutton::lbl_MouseMove(int Button, int Shift, int, int) {
    UserControl_MouseMove(Button, Shift, lbl->x(), lbl->y());
}
void xpcmdbutton::lbl_MouseUp(int Button, int Shift, int X, int Y) {
    UserControl_MouseUp(Button, Shift, X, Y);
}
void xpcmdbutton::lbl_Click() { emit Click(); }

void xpcmdbutton::UserControl_MouseOut() {
    emit MouseOut();
    ShowRestFace();
}

void xpcmdbutton::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(e->key(), EventArgs::shift(e->modifiers()));
    if (!e->text().isEmpty()) emit KeyPress(e->text().at(0).unicode());
}

void xpcmdbutton::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    emit KeyUp(e->key(), EventArgs::shift(e->modifiers()));
}

bool xpcmdbutton::eventFilter(QObject* watched, QEvent* e) {
    if (watched != lbl) return QWidget::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::Shortcut: {
            // Two buttons sharing a key only take the focus in turn, as with
            // any ambiguous access key.
            const bool ambiguous = static_cast<QShortcutEvent*>(e)->isAmbiguous();
            if (isEnabled()) {
                setFocus(Qt::ShortcutFocusReason);
                if (!ambiguous) UserControl_AccessKeyPress();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            pressedOnCaption_ = me->button() == Qt::LeftButton;
            lbl_MouseDown(EventArgs::button(me->button()), EventArgs::shift(me->modifiers()),
                          me->position().toPoint().x(), me->position().toPoint().y());
            return true;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            // A held button sends the caption the moves beyond the button too;
            // those are the pointer leaving, not moves over the caption.
            const QPoint onButton = lbl->mapToParent(me->position().toPoint());
            if (!over(onButton.x(), onButton.y())) {
                pointerAt(onButton);
                return true;
            }
            lbl_MouseMove(EventArgs::buttons(me->buttons()), EventArgs::shift(me->modifiers()),
                          me->position().toPoint().x(), me->position().toPoint().y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            const bool click = pressedOnCaption_ && me->button() == Qt::LeftButton &&
                               lbl->rect().contains(me->position().toPoint());
            pressedOnCaption_ = false;
            lbl_MouseUp(EventArgs::button(me->button()), EventArgs::shift(me->modifiers()),
                        me->position().toPoint().x(), me->position().toPoint().y());
            if (click) lbl_Click();
            return true;
        }
        case QEvent::MouseButtonDblClick:
            pressedOnCaption_ = false;
            return true;
        default:
            return QWidget::eventFilter(watched, e);
    }
}
