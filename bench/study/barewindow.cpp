// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt window that reports its first paint on stderr, then ends; with
// --stay it stays open (for a look at its memory, and the floor of the
// wake-up benchmark). With --text it paints one line of Chinese text: the
// least a program that shows a question must do (load the fonts, fall back
// to a CJK font, shape and draw the line).
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

class Window : public QWidget {
public:
    bool stay = false;
    bool text = false;

protected:
    void paintEvent(QPaintEvent*) override {
        if (text)
            QPainter(this).drawText(rect(), Qt::AlignCenter,
                                    QStringLiteral("驾驶机动车时，应当怎样做？"));
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
    w.text = app.arguments().contains(QStringLiteral("--text"));
    w.resize(200, 50);
    w.show();
    return app.exec();
}
