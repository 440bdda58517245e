// Manager: the question-bank editor. For now a plain window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Manager"));
    QLabel w(QStringLiteral("题目管理"));
    w.setWindowTitle(QStringLiteral("题目管理"));
    w.resize(481, 449);
    w.show();
    return app.exec();
}
