// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/questionfit.h"

namespace {
// A start of `text` of about `length` UTF-16 units that never splits a
// character outside the basic plane.
QString startOf(const QString& text, qsizetype length) {
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate()) --length;
    return length >= text.size() ? text : text.left(length) + QuestionFit::kEllipsis;
}
}  // namespace

QString QuestionFit::longestStart(const QString& text,
                                  const std::function<bool(const QString&)>& fits) {
    // More text never takes less room, so the boundary is found by halving:
    // a few layouts even for the longest text.
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo + 1) / 2;
        if (fits(startOf(text, mid)))
            lo = mid;
        else
            hi = mid - 1;
    }
    return startOf(text, lo);
}

QString QuestionFit::shorten(const QString& question, const QString& answer, const Compose& compose,
                             const Fits& fits) {
    const QString whole = compose(question, answer);
    if (fits(whole)) return whole;
    const auto withQuestion = [&](const QString& q) { return fits(compose(q, answer)); };
    if (withQuestion(QString(kEllipsis)))
        return compose(longestStart(question, withQuestion), answer);
    // Not even the answer fits: what the screen shows of it is its start.
    const QString q(kEllipsis);
    const auto withAnswer = [&](const QString& a) { return fits(compose(q, a)); };
    return compose(q, longestStart(answer, withAnswer));
}
