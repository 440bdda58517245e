// Study: shows one driving-test question with its answer after another.
#include <QApplication>

#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/speech.h"
#include "study/studyapp.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Study"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));

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
