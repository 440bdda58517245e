// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/paperdraw.h"

bool PaperDraw::Shortage::isShort() const {
    return false;  // stub
}

QString PaperDraw::Shortage::text() const {
    return {};  // stub
}

PaperDraw::PaperDraw(std::vector<ExamQuestion> questions, std::optional<quint32> seed)
    : questions_(std::move(questions)), state_(seed.value_or(0)) {}

PaperDraw::Shortage PaperDraw::check(const PaperRules& rules) const {
    return {{}, rules};  // stub
}

DrawnPaper PaperDraw::draw(const PaperRules& rules) {
    return {rules, {}, rules.durationMs};  // stub
}

qint64 PaperDraw::durationFor(const PaperRules& rules) {
    return rules.durationMs;  // stub
}

std::vector<int> PaperDraw::candidates(const PaperRules&, const QString&) const {
    return {};  // stub
}
