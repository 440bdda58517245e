// A bare Qt window that reports its first paint on stderr, then ends.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
            painted_ = true;
            std::fprintf(stderr, "first paint\n");
            std::fflush(stderr);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
    }

private:
    bool painted_ = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window w;
    w.resize(200, 50);
    w.show();
    return app.exec();
}
