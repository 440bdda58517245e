// SPDX-License-Identifier: GPL-3.0-or-later
// Test program: behaves like Study's start with respect to the single
// instance; prints what it did. PROBE_PAUSE_MS holds it between its look for
// a running copy and its listening, as a slow start would be, so that a
// racing start can be made to fall into that gap; with PROBE_STAY it keeps
// running after an activation, so that several later starts can ask.
#include <QApplication>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "platform/singleinstance.h"

namespace {
void say(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SingleInstance instance(QStringLiteral("probe"));
    if (instance.anotherIsRunning()) {
        say("second");
        return 0;
    }
    say("checked");
    QThread::msleep(qEnvironmentVariableIntValue("PROBE_PAUSE_MS"));
    instance.listen();
    say("first");
    const bool stay = qEnvironmentVariableIsSet("PROBE_STAY");
    QObject::connect(&instance, &SingleInstance::activateRequested, [stay] {
        say("activated");
        if (!stay) QCoreApplication::exit(0);
    });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
    return app.exec();
}
