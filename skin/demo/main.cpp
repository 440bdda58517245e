// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>

#include "skin/demo/skindemowindow.h"

// skindemo [--other]: the skinned demo window; with --other a plain window
// instead, to take the activation away from the demo in screenshots.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--other"))) {
        QLabel other(QStringLiteral("another window"));
        other.setWindowTitle(QStringLiteral("skindemo other"));
        other.setGeometry(520, 120, 300, 200);
        other.show();
        return app.exec();
    }
    SkinDemoWindow window;
    window.move(60, 60);
    window.show();
    return app.exec();
}
