// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/questioneditorbox.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

QuestionBox::QuestionBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Tab goes on to the answer box, as from the one-line box; Enter starts
    // a new line.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Questions in Latin script can hold long unbroken runs (addresses,
    // plate numbers); they wrap too rather than scroll sideways.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The layout counts the cursor's few pixels beyond a full line as width,
    // which would let the keys shift wrapped text sideways by them.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max != 0) horizontalScrollBar()->setRange(0, 0);
    });
    // The documented box is one line tall: a narrow margin keeps that line
    // whole.
    document()->setDocumentMargin(2);
}

QString QuestionBox::text() const {
    // The document keeps neither carriage returns nor the kind of a line
    // break, and plainText() turns no-break spaces into blanks: a record only
    // shown must be saved back exactly as it was read.
    if (!document()->isModified()) return shown_;
    QString t = document()->toRawText();
    for (QChar& c : t)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return t;
}

void QuestionBox::setText(const QString& text) {
    shown_ = text;
    setPlainText(text);
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
}

int QuestionBox::cursorPosition() const {
    return textCursor().position();
}

void QuestionBox::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    // A scroll bar in a box of one line would be all arrows and no bar; the
    // wheel and the keys still scroll it there.
    const int room = viewport()->height() - 2 * int(document()->documentMargin());
    const bool lines = room >= 2 * fontMetrics().lineSpacing();
    setVerticalScrollBarPolicy(lines ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
