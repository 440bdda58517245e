// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the standard buttons of message boxes, the colour dialog)
// in Chinese, like the rest of the interface, whatever the system language.
class QtTranslations {
public:
    // Loads Qt's Chinese translations from Qt's translation folder into app,
    // which owns them. Null when they are not installed: Qt's texts then
    // stay English, and the programs go on.
    static QTranslator* install(QCoreApplication* app);
};
