// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/learning/learningrun.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>

#include "bench/learning/simulatedlearner.h"
#include "bench/learning/studyorders.h"

namespace {

qint64 localMs(QDate day, int hour) {
    return QDateTime(day, QTime(hour, 0)).toMSecsSinceEpoch();
}

// The expected number of questions recalled at one exam time, kept up to
// date one question at a time: a step changes only the question it showed.
class ExamTally {
public:
    ExamTally(const SimulatedLearner& learner, qint64 examMs) : learner_(learner), examMs_(examMs) {
        for (int q = 0; q < learner.size(); ++q) sum_ += learner.recallAt(q, examMs);
    }
    double before(int question) const { return learner_.recallAt(question, examMs_); }
    void changed(int question, double was) { sum_ += learner_.recallAt(question, examMs_) - was; }
    double share() const { return sum_ / learner_.size(); }

private:
    const SimulatedLearner& learner_;
    qint64 examMs_;
    double sum_ = 0;
};

}  // namespace

LearningCurve studyDays(StudyOrder& order, SimulatedLearner& learner, const StudyPlan& plan,
                        quint32 answerSeed) {
    LearningCurve curve;
    QRandomGenerator chance(answerSeed);
    qint64 steps = 0;
    for (int day = 0; day < plan.days; ++day) {
        const QDate date = plan.firstDay.addDays(day);
        const qint64 start = localMs(date, plan.sessionHour);
        const qint64 examMs = localMs(date.addDays(1), plan.examHour);
        ExamTally exam(learner, examMs);
        for (int s = 0; s < plan.stepsPerDay; ++s) {
            const qint64 now = start + s * plan.stepMs;
            const int q = order.next(now);
            const double was = exam.before(q);
            order.answered(q, learner.attempt(q, now, chance), now);
            exam.changed(q, was);
            ++steps;
            if (curve.stepsToGoal < 0 && exam.share() >= plan.goal) curve.stepsToGoal = steps;
        }
        // Kept one question at a time, the sum must still be the whole bank's.
        const double drift = std::abs(exam.share() - ExamTally(learner, examMs).share());
        if (drift > 1e-9)
            std::fprintf(stderr, "exam tally drifted by %g on day %d\n", drift, day + 1);
        curve.shareByDay.push_back(exam.share());
        if (curve.wholeBankSeenOnDay < 0 && learner.seen() == learner.size())
            curve.wholeBankSeenOnDay = day + 1;
    }
    return curve;
}
