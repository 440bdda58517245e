// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

// Shortens a display text that the screen cannot show whole. The question
// gives way first, cut at its end with an ellipsis, so that the marker and
// the whole answer stay in view; only when they alone are too much does the
// answer lose its end too.
class QuestionFit {
public:
    using Fits = std::function<bool(const QString& displayText)>;
    using Compose = std::function<QString(const QString& question, const QString& answer)>;

    // The longest text `compose` makes of a start of the question (and, if
    // need be, of the answer) that `fits`; the full text when it fits.
    static QString shorten(const QString& question, const QString& answer, const Compose& compose,
                           const Fits& fits);

    static constexpr QChar kEllipsis = QChar(0x2026);

private:
    // The longest start of `text` (cut between characters, an ellipsis added
    // when cut) for which `fits(start)` holds; the bare ellipsis when none.
    static QString longestStart(const QString& text,
                                const std::function<bool(const QString&)>& fits);
};
