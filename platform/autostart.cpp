// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/folderpath.h"
#include "platform/logging.h"

namespace AutoStart {

QString programPath(const QString& folder, const QString& baseName) {
    return FolderPath::join(folder, baseName);
}

QString execValue(const QString& programPath) {
    // Reserved characters of the Exec key; an argument holding any of them
    // must be quoted, and inside quotes " ` $ \ are escaped with a backslash.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : programPath)
        if (reserved.contains(c)) needsQuotes = true;
    QString arg;
    if (needsQuotes) {
        arg = QStringLiteral("\"");
        for (QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                arg += QLatin1Char('\\');
            arg += c;
        }
        arg += QLatin1Char('"');
    } else {
        arg = programPath;
    }
    // Then the general string escapes of a desktop file value, and %% for a
    // literal percent sign (field codes).
    QString value;
    for (QChar c : arg) {
        if (c == QLatin1Char('\\')) value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('%')) value += QStringLiteral("%%");
        else value += c;
    }
    return value;
}

QString entryFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/Velmorant.desktop");
}

void enable(const QString& programPath) {
    const QString file = entryFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        qCDebug(lcSettings) << "autostart entry not written:" << out.errorString();
        return;
    }
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Velmorant\n"
                             "Exec=%1\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n")
                             .arg(execValue(programPath));
    out.write(text.toUtf8());
    if (!out.commit()) qCDebug(lcSettings) << "autostart entry not written:" << out.errorString();
    else qCInfo(lcSettings).noquote() << "autostart entry written:" << programPath;
}

void disable() {
    const QString file = entryFile();
    if (QFile::exists(file) && !QFile::remove(file))
        qCDebug(lcSettings) << "autostart entry not removed:" << file;
    else
        qCInfo(lcSettings) << "autostart entry removed";
}

}  // namespace AutoStart
