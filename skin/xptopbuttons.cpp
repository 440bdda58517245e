// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/xptopbuttons.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/eventargs.h"
#include "skin/pictureclip.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"

xptopbuttons::xptopbuttons(QWidget* parent) : ClickControl(parent) {
    // The sheets are drawn for exactly this size and never stretched, so no
    // size the form asks for may change it.
    setFixedSize(kSide, kSide);
    setMouseTracking(true);
    const char* const sheets[4] = {"topclose", "topmax", "topmin", "toprestore"};
    for (int i = 0; i < 4; ++i) {
        pc[i] = new PictureClip(SkinArt::load(QLatin1String(sheets[i])), 4, 1, this);
        pc[i]->setObjectName(QStringLiteral("pc%1").arg(i));
    }
    refresh();
    // A new title button reports once that the pointer is not over it (or,
    // if it is, when it leaves).
    checkLeavingSoon();
}

void xptopbuttons::setValue(int value) {
    value_ = value;
    refresh();
}

QPixmap xptopbuttons::face() const { return pc[sheet_]->GraphicCell(cell_); }

void xptopbuttons::InitProperties() { ReadProperties({}); }

void xptopbuttons::ReadProperties(const QVariantMap& bag) {
    setValue(PropertyBag::read(bag, QStringLiteral("Value"), 0).toInt());
    setEnabled(PropertyBag::read(bag, QStringLiteral("Enabled"), true).toBool());
}

QVariantMap xptopbuttons::WriteProperties() const {
    QVariantMap bag;
    if (value_ != 0) bag.insert(QStringLiteral("Value"), value_);
    if (!isEnabled()) bag.insert(QStringLiteral("Enabled"), false);
    return bag;
}

void xptopbuttons::refresh() {
    if (value_ >= 0 && value_ <= 3) sheet_ = static_cast<qint16>(value_);
    showCell(isEnabled() ? Normal : Disabled);
}

void xptopbuttons::showCell(int cell) {
    cell_ = cell;
    update();
}

void xptopbuttons::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) showCell(isEnabled() ? Normal : Disabled);
    QWidget::changeEvent(e);
}

void xptopbuttons::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, face());
}

void xptopbuttons::showEvent(QShowEvent*) { refresh(); }

void xptopbuttons::UserControl_MouseDown(int Button, int Shift, int X, int Y) {
    showCell(Pressed);
    emit MouseDown(Button, Shift, X, Y);
}

void xptopbuttons::UserControl_MouseMove(int Button, int Shift, int X, int Y) {
    if (over(X, Y)) {
        watchLeaving();
        emit MouseMove(Button, Shift, X, Y);
        showCell(Button == 1 ? Pressed : Hover);
    }
}

// The normal image is back before the form hears of the release, so a form
// that closes or hides the window on it never leaves a pressed image behind.
void xptopbuttons::UserControl_MouseUp(int Button, int Shift, int X, int Y) {
    showCell(Normal);
    emit MouseUp(Button, Shift, X, Y);
}

void xptopbuttons::UserControl_Click() { emit Click(); }

void xptopbuttons::UserControl_MouseOut() {
    emit MouseOut();
    if (isEnabled()) showCell(Normal);
}
