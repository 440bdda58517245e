// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/module1.h"

#include "platform/autostart.h"
#include "platform/programfolder.h"
#include "study/settingsrecord.h"

void SetAutoRun(const SettingsRecord& settings) {
    if (settings.markword == 0) AutoStart::disable();
    else if (settings.markword == 1)
        AutoStart::enable(AutoStart::programPath(ProgramFolder::path(), ProgramFolder::baseName()));
}
