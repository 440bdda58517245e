// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QTimer>

// A short-lived note just below (or, without room, above) a window: what a
// key on the display did. It takes no focus and goes by itself; a new note
// replaces the one shown.
class FeedbackNote : public QLabel {
    Q_OBJECT
public:
    explicit FeedbackNote(QWidget* anchor);
    // Shown for `ms` milliseconds.
    void say(const QString& text, int ms = kShortMs);

    static constexpr int kShortMs = 1500;
    static constexpr int kLongMs = 4000;     // for a failure, which takes longer to read
    static constexpr int kNoticeMs = 20000;  // for news told once, at start

private:
    void place();
    QWidget* anchor_;
    QTimer hide_;
};
