// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/settingsstore.h"

// Settings for a display bench: already seeded, silent, showing the second
// category (交通信号), where the benches put their questions.
inline void writeQuietDisplaySettings() {
    SettingsStore s;
    s.write(QStringLiteral("xxx"), QStringLiteral("1"));
    s.write(QStringLiteral("voice"), QStringLiteral("0"));
    s.write(QStringLiteral("guageword"), QStringLiteral("2"));
}
