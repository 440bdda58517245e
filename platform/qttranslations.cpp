// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/logging.h"

QTranslator* QtTranslations::install(QCoreApplication* app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        qCInfo(lcUi).noquote() << "Qt's Chinese translations not found in" << folder;
        delete translator;
        return nullptr;
    }
    return translator;
}
