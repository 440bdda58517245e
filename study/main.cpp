// SPDX-License-Identifier: GPL-3.0-or-later
// Study: shows one driving-test question with its answer after another.
#include <QApplication>

#include "platform/commandline.h"
#include "platform/logging.h"
#include "platform/qttranslations.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/speech.h"
#include "platform/widgets/windowsystem.h"
#include "study/studyapp.h"

int main(int argc, char** argv) {
    const auto answered = CommandLine::answerBeforeStart(
        argc, argv, QStringLiteral("Study"),
        QStringLiteral(
            "Quillmere 驾考助手: shows one driving-test question with its answer after another.\n"
            "Right-click the window for the menu. The question bank and the personal list are\n"
            "reg.ocx and word.ocx beside the program, or in ~/.local/share/Quillmere/ when the\n"
            "program folder cannot be written (a system install)."));
    if (answered) return *answered;
    const bool x11Chosen = WindowSystem::preferX11();
    QApplication app(argc, argv);
    WindowSystem::forgetPreference(x11Chosen);
    qCInfo(lcDisplay).noquote() << "window system:" << QGuiApplication::platformName();
    QApplication::setApplicationName(QStringLiteral("Study"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
    // Wayland compositors and task bars match the window to its menu entry and icon by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Study"));
    QtTranslations::install(&app);

    // A second start only brings the running window forward; it reads and
    // writes no setting.
    SingleInstance instance(QStringLiteral("quillmere-study"));
    if (instance.anotherIsRunning()) return 0;
    instance.listen();

    SettingsStore store;
    StudyApp study(store, &createSpeech);
    QObject::connect(&instance, &SingleInstance::activateRequested, &study, &StudyApp::activate);
    study.start();
    return app.exec();
}
