// SPDX-License-Identifier: GPL-3.0-or-later
// Test program: behaves like Study's start with respect to the single
// instance; prints what it did.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "platform/singleinstance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SingleInstance instance(QStringLiteral("probe"));
    if (instance.anotherIsRunning()) {
        std::printf("second\n");
        return 0;
    }
    instance.listen();
    std::printf("first\n");
    std::fflush(stdout);
    QObject::connect(&instance, &SingleInstance::activateRequested, [] {
        std::printf("activated\n");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
    return app.exec();
}
