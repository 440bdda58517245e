// SPDX-License-Identifier: GPL-3.0-or-later
// Manager: edits the question bank one category at a time.
#include <QApplication>
#include <QScreen>

#include "editor/questioneditor.h"
#include "manager/bankbackup.h"
#include "manager/windowsizememory.h"
#include "platform/commandline.h"
#include "platform/datafolder.h"
#include "platform/qttranslations.h"
#include "platform/settingsstore.h"

int main(int argc, char** argv) {
    const auto answered = CommandLine::answerBeforeStart(
        argc, argv, QStringLiteral("Manager"),
        QStringLiteral(
            "Quillmere 驾考助手: edits the question bank reg.ocx, one category at a time.\n"
            "The bank lies beside the program, or in ~/.local/share/Quillmere/ when the\n"
            "program folder cannot be written (a system install)."));
    if (answered) return *answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Manager"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    // Wayland compositors and task bars match the window to its menu entry and icon by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Manager"));
    QtTranslations::install(&app);

    QuestionEditor form(EditorVariant::manager(), DataFolder::path());
    form.session().setBeforeFirstWrite(&BankBackup::make);
    form.setCloser([] { QCoreApplication::exit(0); });
    SettingsStore store;
    WindowSizeMemory size(store, EditorVariant::manager().frame);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const WindowSizeMemory::Size opened =
        size.restore(screen ? screen->availableGeometry() : QRect());
    form.setStartSize(opened.normal);
    form.load();
    if (opened.maximised)
        form.showMaximized();
    else
        form.show();
    const int status = app.exec();
    // The size under a maximised window is the one a restore goes back to.
    size.keep({form.normalGeometry().size(), form.isMaximized()});
    return status;
}
