// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/messagebox.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "platform/logging.h"

namespace {
// A box whose owner is not on screen yet (a message during start-up) would
// open at the corner where that owner will appear; it opens in the middle
// of the screen instead, where the user looks.
class ScreenCentredBox : public QMessageBox {
public:
    ScreenCentredBox(QWidget* owner, QScreen* screen) : QMessageBox(owner), screen_(screen) {}

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);  // sizes the box to its text
        if (screen_) move(screen_->availableGeometry().center() - rect().center());
    }

private:
    QScreen* screen_;
};

MessageBox::Hook& hook() {
    static MessageBox::Hook h;
    return h;
}
MessageBox::AnswerHook& answerHook() {
    static MessageBox::AnswerHook h;
    return h;
}
MessageBox::ColourHook& colourHook() {
    static MessageBox::ColourHook h;
    return h;
}
}  // namespace

QString MessageBox::title() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

void MessageBox::setHook(Hook h) { hook() = std::move(h); }
void MessageBox::setAnswerHook(AnswerHook h) { answerHook() = std::move(h); }
void MessageBox::setColourHook(ColourHook h) { colourHook() = std::move(h); }

void MessageBox::show(QWidget* parent, Icon icon, const QString& text) {
    qCInfo(lcUi).noquote() << "message:" << text;
    const Shown shown{icon, text, title()};
    if (hook()) {
        hook()(shown);
        return;
    }
    const bool ownerShown = parent && parent->isVisible();
    QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    // An owner that is not visible cannot anchor the box: no transient link
    // to a window the window manager has not mapped.
    ScreenCentredBox box(ownerShown ? parent : nullptr, ownerShown ? nullptr : screen);
    switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    box.setWindowTitle(shown.title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool MessageBox::ask(QWidget* parent, const QString& text) {
    qCInfo(lcUi).noquote() << "question:" << text;
    const Shown shown{Icon::Warning, text, title()};
    if (hook() || answerHook()) {
        if (hook()) hook()(shown);
        const bool yes = answerHook() ? answerHook()(shown) : true;
        qCInfo(lcUi).noquote() << "answer:" << (yes ? "yes" : "no");
        return yes;
    }
    const bool ownerShown = parent && parent->isVisible();
    QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    ScreenCentredBox box(ownerShown ? parent : nullptr, ownerShown ? nullptr : screen);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(shown.title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    // Explicit Chinese captions: the translated ones need Qt's translations loaded.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    // A slip of the keyboard (Enter, Space) must not delete anything.
    box.setDefaultButton(QMessageBox::No);
    const bool yes = box.exec() == QMessageBox::Yes;
    qCInfo(lcUi).noquote() << "answer:" << (yes ? "yes" : "no");
    return yes;
}

std::optional<QColor> MessageBox::chooseColour(QWidget* parent) {
    if (colourHook()) return colourHook()();
    for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::black);
    QColorDialog dialog(parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}
