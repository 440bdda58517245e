// SPDX-License-Identifier: GPL-3.0-or-later
// Manager: edits the question bank one category at a time.
#include <QApplication>

#include "editor/questioneditor.h"
#include "manager/bankbackup.h"
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

    // Declared first: the form keeps its size there when it goes.
    SettingsStore store;
    QuestionEditor form(EditorVariant::manager(), DataFolder::path());
    form.session().setBeforeFirstWrite(&BankBackup::make);
    form.setCloser([] { QCoreApplication::exit(0); });
    const bool maximised = form.openAtKeptSize(store);
    form.load();
    if (maximised)
        form.showMaximized();
    else
        form.show();
    return app.exec();
}
