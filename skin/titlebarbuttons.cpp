// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/titlebarbuttons.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/eventargs.h"
#include "skin/pictureclip.h"
#include "skin/propertybag.h"
#include "skin/skinart.h"

TitleBarButtons::TitleBarButtons(QWidget* parent) : ClickControl(parent) {
    // The sheets are drawn for exactly this size and never stretched, so no
    // size the form asks for may change it.
    setFixedSize(kSide, kSide);
    setMouseTracking(true);
    setLookFirst(true);
    const char* const sheets[4] = {"topclose", "topmax", "topmin", "toprestore"};
    for (int i = 0; i < 4; ++i) {
        sheets_[i] = new PictureClip(SkinArt::load(QLatin1String(sheets[i])), 4, 1, this);
        sheets_[i]->setObjectName(QStringLiteral("pc%1").arg(i));
    }
    refresh();
    // A new title button reports once that the pointer is not over it (or,
    // if it is, when it leaves).
    checkLeavingSoon();
}

void TitleBarButtons::setValue(int value) {
    value_ = value;
    refresh();
}

QPixmap TitleBarButtons::face() const {
    return sheets_[sheet_]->GraphicCell(cell_);
}

void TitleBarButtons::loadDefaults() {
    loadProperties({});
}

void TitleBarButtons::loadProperties(const QVariantMap& bag) {
    setValue(PropertyBag::read(bag, QStringLiteral("Value"), 0).toInt());
    setEnabled(PropertyBag::read(bag, QStringLiteral("Enabled"), true).toBool());
}

QVariantMap TitleBarButtons::storedProperties() const {
    QVariantMap bag;
    if (value_ != 0) bag.insert(QStringLiteral("Value"), value_);
    if (!isEnabled()) bag.insert(QStringLiteral("Enabled"), false);
    return bag;
}

void TitleBarButtons::refresh() {
    if (value_ >= 0 && value_ <= 3) sheet_ = static_cast<qint16>(value_);
    showCell(isEnabled() ? Normal : Disabled);
}

void TitleBarButtons::showCell(int cell) {
    cell_ = cell;
    update();
}

void TitleBarButtons::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) showCell(isEnabled() ? Normal : Disabled);
    QWidget::changeEvent(e);
}

void TitleBarButtons::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, face());
}

void TitleBarButtons::showEvent(QShowEvent*) {
    refresh();
}

// A disabled button keeps its disabled image when the pointer leaves.
void TitleBarButtons::showLook(Look look) {
    if (look != Look::Rest)
        showCell(look == Look::Pressed ? Pressed : Hover);
    else if (isEnabled())
        showCell(Normal);
}
