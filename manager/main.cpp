// Manager: edits the question bank one category at a time.
#include <QApplication>

#include "manager/bankbackup.h"
#include "platform/programfolder.h"
#include "questionbank/addedit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Manager"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));

    addedit form(EditorVariant::manager(), ProgramFolder::path());
    form.setBeforeFirstWrite(&BankBackup::make);
    form.setCloser([] { QCoreApplication::exit(0); });
    form.Form_Load();
    form.show();
    return app.exec();
}
