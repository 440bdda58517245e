// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinbutton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include "skin/eventargs.h"
#include "skin/pictureclip.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"

const char* const SkinButton::kStateDescription =
    "Returns/sets the state of the command button when mouse_out.";
const QColor SkinButton::kEnabledInk(0, 0, 0);
const QColor SkinButton::kDisabledInk(161, 161, 146);

SkinButton::SkinButton(QWidget* parent) : ClickControl(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("lbl"));
    caption_->setAttribute(Qt::WA_TranslucentBackground);
    caption_->setMouseTracking(true);
    // With the button as buddy the label underlines the access key and owns
    // its shortcut; the shortcut is turned into a click below.
    caption_->setBuddy(this);
    caption_->installEventFilter(this);
    faces_ = new PictureClip(SkinArt::load(QStringLiteral("cmdfaces")), 5, 1, this);
    faces_->setObjectName(QStringLiteral("pc"));
    resize(81, 25);
    colourCaption();
    layoutCaption();
}

QString SkinButton::caption() const {
    return caption_->text();
}

void SkinButton::setCaption(const QString& caption) {
    caption_->setText(caption);
    layoutCaption();
}

void SkinButton::setState(int state) {
    state_ = state;
    showRestFace();
}

void SkinButton::loadDefaults() {
    loadProperties({});
}

void SkinButton::loadProperties(const QVariantMap& bag) {
    setState(PropertyBag::read(bag, QStringLiteral("State"), 0).toInt());
    setEnabled(PropertyBag::read(bag, QStringLiteral("Enabled"), true).toBool());
    setCaption(PropertyBag::read(bag, QStringLiteral("Caption"), objectName()).toString());
    const QVariant font = PropertyBag::read(bag, QStringLiteral("Font"), {});
    if (font.canConvert<QFont>())
        setFont(font.value<QFont>());
    else
        setFont(QFont());  // resolves back to the holding window's font
}

QVariantMap SkinButton::storedProperties() const {
    QVariantMap bag;
    if (state_ != 0) bag.insert(QStringLiteral("State"), state_);
    if (!isEnabled()) bag.insert(QStringLiteral("Enabled"), false);
    if (caption() != objectName()) bag.insert(QStringLiteral("Caption"), caption());
    if (testAttribute(Qt::WA_SetFont)) bag.insert(QStringLiteral("Font"), font());
    return bag;
}

void SkinButton::paintFace(int f) {
    const QPixmap cell = faces_->GraphicCell(f);
    const int W = width(), H = height();
    face_ = QPixmap(size());
    face_.fill(Qt::transparent);
    if (!cell.isNull()) {
        QPainter p(&face_);
        const struct {
            QRect dst, src;
        } pieces[9] = {
            {{0, 0, 3, 3}, {0, 0, 3, 3}},            // top-left corner
            {{W - 3, 0, 3, 3}, {15, 0, 3, 3}},       // top-right corner
            {{W - 3, H - 3, 3, 3}, {15, 18, 3, 3}},  // bottom-right corner
            {{0, H - 3, 3, 3}, {0, 18, 3, 3}},       // bottom-left corner
            {{3, 0, W - 6, 3}, {3, 0, 12, 3}},       // top edge
            {{W - 3, 3, 3, H - 6}, {15, 3, 3, 15}},  // right edge
            {{0, 3, 3, H - 6}, {0, 3, 3, 15}},       // left edge
            {{3, H - 3, W - 6, 3}, {3, 18, 12, 3}},  // bottom edge
            {{3, 3, W - 6, H - 6}, {3, 3, 12, 15}},  // centre
        };
        for (const auto& piece : pieces)
            if (piece.dst.width() > 0 && piece.dst.height() > 0)
                p.drawPixmap(piece.dst, cell, piece.src);
    }
    update();
}

void SkinButton::showRestFace() {
    if (state_ == 1)
        restFace_ = Highlighted;
    else if (state_ == 0)
        restFace_ = Normal;
    paintFace(isEnabled() ? restFace_ : Disabled);
}

void SkinButton::layoutCaption() {
    showRestFace();
    caption_->adjustSize();
    caption_->move((width() - caption_->width()) / 2, (height() - caption_->height()) / 2);
}

void SkinButton::colourCaption() {
    QPalette pal = caption_->palette();
    const QColor ink = isEnabled() ? kEnabledInk : kDisabledInk;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, ink);
    caption_->setPalette(pal);
}

void SkinButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        showRestFace();
        colourCaption();
    } else if (e->type() == QEvent::FontChange) {
        caption_->setFont(font());
        layoutCaption();
    }
    QWidget::changeEvent(e);
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(backgroundRole()));
    p.drawPixmap(0, 0, face_);
}

void SkinButton::resizeEvent(QResizeEvent*) {
    layoutCaption();
}
void SkinButton::showEvent(QShowEvent*) {
    showRestFace();
}

void SkinButton::showLook(Look look) {
    if (look == Look::Rest) return showRestFace();
    paintFace(look == Look::Pressed ? Pressed : Hover);
}

void SkinButton::onAccessKey() {
    emit Click();
}

void SkinButton::onCaptionPress(int button, int shift, int x, int y) {
    onPress(button, shift, x, y);
}
// Over the caption the move counts as one at the caption's corner, which is
// always inside the button.
void SkinButton::onCaptionMove(int button, int shift, int, int) {
    onMove(button, shift, caption_->x(), caption_->y());
}
void SkinButton::onCaptionRelease(int button, int shift, int x, int y) {
    onRelease(button, shift, x, y);
}
void SkinButton::onCaptionClick() {
    emit Click();
}

void SkinButton::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(e->key(), EventArgs::shift(e->modifiers()));
    if (!e->text().isEmpty()) emit KeyPress(e->text().at(0).unicode());
}

void SkinButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    emit KeyUp(e->key(), EventArgs::shift(e->modifiers()));
}

bool SkinButton::eventFilter(QObject* watched, QEvent* e) {
    if (watched != caption_) return QWidget::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::Shortcut: {
            // Two buttons sharing a key only take the focus in turn, as with
            // any ambiguous access key.
            const bool ambiguous = static_cast<QShortcutEvent*>(e)->isAmbiguous();
            if (isEnabled()) {
                setFocus(Qt::ShortcutFocusReason);
                if (!ambiguous) onAccessKey();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            pressedOnCaption_ = me->button() == Qt::LeftButton;
            onCaptionPress(EventArgs::button(me->button()), EventArgs::shift(me->modifiers()),
                           me->position().toPoint().x(), me->position().toPoint().y());
            return true;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            // A held button sends the caption the moves beyond the button too;
            // those are the pointer leaving, not moves over the caption.
            const QPoint onButton = caption_->mapToParent(me->position().toPoint());
            if (!over(onButton.x(), onButton.y())) {
                pointerAt(onButton);
                return true;
            }
            onCaptionMove(EventArgs::buttons(me->buttons()), EventArgs::shift(me->modifiers()),
                          me->position().toPoint().x(), me->position().toPoint().y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            const bool click = pressedOnCaption_ && me->button() == Qt::LeftButton &&
                               caption_->rect().contains(me->position().toPoint());
            pressedOnCaption_ = false;
            onCaptionRelease(EventArgs::button(me->button()), EventArgs::shift(me->modifiers()),
                             me->position().toPoint().x(), me->position().toPoint().y());
            if (click) onCaptionClick();
            return true;
        }
        case QEvent::MouseButtonDblClick:
            pressedOnCaption_ = false;
            return true;
        default:
            return QWidget::eventFilter(watched, e);
    }
}
