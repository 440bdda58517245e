// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/learning/simulatedlearner.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDayMs = 24.0 * 60 * 60 * 1000;
constexpr double kLongestHalfLifeDays = 3650;
}  // namespace

SimulatedLearner::SimulatedLearner(int questions, quint32 seed, const Parameters& parameters)
    : p_(parameters), memory_(size_t(std::max(questions, 0))) {
    QRandomGenerator draw(seed);
    ease_.reserve(memory_.size());
    for (size_t i = 0; i < memory_.size(); ++i) ease_.push_back(draw.generateDouble());
}

double SimulatedLearner::firstHalfLife(int question) const {
    // Log-uniform between the hardest and the easiest, the middle one at the
    // parameter's value.
    return p_.firstHalfLifeDays * std::pow(p_.difficultySpread, ease(question) - 0.5);
}

double SimulatedLearner::recallAt(int question, qint64 nowMs) const {
    const Memory& m = memory_[size_t(question)];
    if (m.halfLifeDays <= 0) return 0;
    const double days = std::max(0.0, double(nowMs - m.lastMs) / kDayMs);
    return std::exp2(-days / m.halfLifeDays);
}

void SimulatedLearner::afterRecall(int question, Memory& m, double recall) const {
    // A hard question gains less from the same recall.
    const double gain = p_.recallGrowth * (0.5 + 0.5 * ease(question));
    m.halfLifeDays = std::min(kLongestHalfLifeDays, m.halfLifeDays * (1 + gain * (1 - recall)));
}

SimulatedLearner::Attempt SimulatedLearner::attempt(int question, qint64 nowMs,
                                                    QRandomGenerator& chance) {
    const double p = recallAt(question, nowMs);
    // Drawn even for a question never seen, so that every attempt takes
    // one number whatever was seen before.
    const bool recalled = chance.generateDouble() < p;
    Memory& m = memory_[size_t(question)];
    if (m.halfLifeDays <= 0) {
        m.halfLifeDays = m.floorDays = firstHalfLife(question);
        ++seen_;
    } else if (recalled) {
        afterRecall(question, m, p);
    } else {
        // The answer is seen again, and what was learnt once is learnt
        // again more easily each time.
        m.floorDays *= p_.relearning;
        m.halfLifeDays = std::max(m.floorDays, m.halfLifeDays * p_.lapseFactor);
    }
    m.lastMs = nowMs;
    return {recalled, p};
}
