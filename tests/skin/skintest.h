// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <memory>
#include <ostream>

#include "skin/picturebox.h"
#include "skin/skinframe.h"

// Readable failure messages for the Qt types the tests compare.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << "," << p.y() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << "x" << s.height();
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QList<QVariant>& l, std::ostream* os) {
    *os << "[";
    for (const QVariant& v : l) *os << v.toString().toStdString() << " ";
    *os << "]";
}

// A frameless form with one frame filling it, as the question editor holds it.
struct SkinForm {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    SkinFrame* frame;

    explicit SkinForm(QSize size = {345, 497}, QPoint at = {100, 80}) {
        form->setObjectName(QStringLiteral("addedit"));
        form->setGeometry(QRect(at, size));
        frame = new SkinFrame(form.get());
        frame->setObjectName(QStringLiteral("xp_canvas1"));
        frame->setGeometry(0, 0, size.width(), size.height());
        // Hidden widgets get their resize events only when shown.
        form->show();
    }
    template <class T = QWidget>
    T* part(const QString& name) const {
        auto* w = frame->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << qPrintable(name);
        return w;
    }
    QLabel* image(const QString& name) const { return part<QLabel>(name); }
    const QImage& band() const { return part<PictureBox>(QStringLiteral("pictop"))->image(); }
    // Replaces one picture of a skin set; the next look change picks it up.
    void setSkinPicture(const QString& name, const QImage& picture) const {
        image(name)->setPixmap(QPixmap::fromImage(picture));
    }
};

// Sends a mouse event with a global position consistent with where the widget
// is at that moment (QTest cannot hold a button while moving outside).
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers mods = {}) {
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void dragOn(QWidget* w, QPoint from, QPoint delta, Qt::MouseButton b = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonPress, from, b, b);
    sendMouse(w, QEvent::MouseMove, from + delta, Qt::NoButton, b);
    sendMouse(w, QEvent::MouseButtonRelease, from + delta, b, Qt::NoButton);
}

// A real double click as Qt 6 delivers it: press, release, press, double
// click, release. (QTest::mouseDClick sends the double-click event alone.)
inline void doubleClick(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    for (auto type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool up = type == QEvent::MouseButtonRelease;
        sendMouse(w, type, at, b, up ? Qt::NoButton : Qt::MouseButtons(b));
    }
}

inline long long regionArea(const QRegion& r) {
    long long area = 0;
    for (const QRect& rect : r) area += static_cast<long long>(rect.width()) * rect.height();
    return area;
}

inline QRgb rgb(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

// The timer events that reach w or a timer of its own while the event loop
// runs for ms milliseconds: each one is a wake-up of an otherwise idle program.
inline int ownTimerEvents(QWidget* w, int ms) {
    struct Counter : QObject {
        QWidget* watched;
        int n = 0;
        explicit Counter(QWidget* w) : watched(w) {}
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Timer &&
                (o == watched || (qobject_cast<QTimer*>(o) && o->parent() == watched)))
                ++n;
            return false;
        }
    } counter(w);
    qApp->installEventFilter(&counter);
    QTest::qWait(ms);
    qApp->removeEventFilter(&counter);
    return counter.n;
}

// Moves the real cursor to local in w and delivers what that causes. Qt
// reports a widget's enter and leave from the moves within a window the
// pointer has entered, so tests first bring the pointer into the window.
inline void pointTo(QWidget* w, QPoint local) {
    QCursor::setPos(w->mapToGlobal(local));
    QCoreApplication::processEvents();
}
inline void enterWindow(QWidget* window) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    pointTo(window, {1, 1});
}
