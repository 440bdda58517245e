#include "platform/messagebox.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

#include "platform/logging.h"

namespace {
MessageBox::Hook& hook() {
    static MessageBox::Hook h;
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
void MessageBox::setColourHook(ColourHook h) { colourHook() = std::move(h); }

void MessageBox::show(QWidget* parent, Icon icon, const QString& text) {
    qCInfo(lcUi).noquote() << "message:" << text;
    const Shown shown{icon, text, title()};
    if (hook()) {
        hook()(shown);
        return;
    }
    QMessageBox box(parent);
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

std::optional<QColor> MessageBox::chooseColour(QWidget* parent) {
    if (colourHook()) return colourHook()();
    for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::black);
    QColorDialog dialog(parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}
