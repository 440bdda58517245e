// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/windowsystem.h"

#include <QByteArray>
#include <QtGlobal>

namespace WindowSystem {

bool preferX11() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return false;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
    // Qt tries the plugins of a ';' list in turn.
    return qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

void forgetPreference(bool chosen) {
    if (chosen) qunsetenv("QT_QPA_PLATFORM");
}

}  // namespace WindowSystem
