// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPlainTextEdit>
#include <QString>

// Several lines of plain text, wrapped at the box's edge, scrolled when they
// do not fit: the question box of an editor whose window grows, and the
// explanation of an exam-form question. It reads and shows its text the way
// the one-line box does.
class QuestionBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit QuestionBox(QWidget* parent = nullptr);

    // The text last set, exactly as it came, while the user has not changed
    // it; once changed, as typed, each line break as "\n".
    QString text() const;
    // Shows `text` from its first line, the cursor at its start.
    void setText(const QString& text);
    void clear() { setText({}); }
    int cursorPosition() const;
    // Types `text` at the cursor, as the keyboard would.
    void insert(const QString& text) { insertPlainText(text); }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QString shown_;
};
