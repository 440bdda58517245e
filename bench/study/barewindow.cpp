// A bare Qt window that reports its first paint on stderr, then ends; with
// --stay it stays open (for a look at its memory, and the floor of the
// wake-up benchmark).
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

class Window : public QWidget {
public:
    bool stay = false;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
            painted_ = true;
            std::fprintf(stderr, "first paint\n");
            std::fflush(stderr);
            if (!stay) QTimer::singleShot(0, qApp, &QApplication::quit);
        }
    }

private:
    bool painted_ = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window w;
    w.stay = app.arguments().contains(QStringLiteral("--stay"));
    w.setWindowTitle(QStringLiteral("bare window"));
    w.resize(200, 50);
    w.show();
    return app.exec();
}
