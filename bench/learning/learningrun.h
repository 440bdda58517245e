// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QtGlobal>
#include <vector>

class SimulatedLearner;
class StudyOrder;

// Days of study on a simulated clock: an hour each evening at 7 s a step,
// every step an attempt to recall followed by the answer, and the exam the
// next morning before any more study.
struct StudyPlan {
    int days = 60;
    int stepsPerDay = 514;  // 3,598 s: as many 7 s steps as fit in an hour
    qint64 stepMs = 7000;
    QDate firstDay{2027, 1, 4};
    int sessionHour = 19;  // local time
    int examHour = 9;      // local time, the next morning
    double goal = 0.9;
};

struct LearningCurve {
    // The share of the bank the learner would recall at each day's exam.
    std::vector<double> shareByDay;
    // The first day by the end of which every question had been seen; -1: none.
    int wholeBankSeenOnDay = -1;
    // Steps until stopping there would first give the goal at the exam; -1: never.
    qint64 stepsToGoal = -1;
};

LearningCurve studyDays(StudyOrder& order, SimulatedLearner& learner, const StudyPlan& plan,
                        quint32 answerSeed);
