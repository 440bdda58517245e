// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/feedbacknote.h"

#include <QScreen>
#include <algorithm>

#include "platform/logging.h"

FeedbackNote::FeedbackNote(QWidget* anchor)
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      anchor_(anchor) {
    setObjectName(QStringLiteral("feedbackNote"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setMargin(6);
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSize(11);
    setFont(f);
    // Dark on light yellow like a tooltip, whatever colours the display has.
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 250, 205));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    hide_.setSingleShot(true);
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void FeedbackNote::say(const QString& text, int ms) {
    qCInfo(lcDisplay).noquote() << "note:"
                                << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    setText(text);
    adjustSize();
    place();
    show();
    raise();
    hide_.start(ms);
}

void FeedbackNote::place() {
    const QRect a = anchor_->frameGeometry();
    QPoint at(a.left(), a.bottom() + 4);
    if (const QScreen* s = anchor_->screen()) {
        const QRect g = s->availableGeometry();
        if (at.y() + height() > g.bottom()) at.setY(a.top() - 4 - height());
        at.setX(std::clamp(at.x(), g.left(), std::max(g.left(), g.right() + 1 - width())));
        at.setY(std::max(at.y(), g.top()));
    }
    move(at);
}
