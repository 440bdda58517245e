// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated learner studies the bank of 1,311 questions for an hour each
// evening in three orders: the documented order, a random one and the
// program's choice by memory. Each day's line gives the share of the bank
// the learner would recall at an exam the next morning; the last line how
// many steps each order needed to reach 90%. Target: by memory needs at most
// 60% of the documented order's steps. The model is in README.md.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "bench/learning/learningrun.h"
#include "bench/learning/simulatedlearner.h"
#include "bench/learning/studyorders.h"
#include "questionbank/nextquestion.h"

namespace {

constexpr int kQuestions = 1311;
constexpr quint32 kBankSeed = 1885;    // the questions' ease
constexpr quint32 kAnswerSeed = 2016;  // the learner's luck at each attempt
constexpr quint32 kRandomSeed = 1967;  // the random order's draws
constexpr double kTargetShare = 0.6;

struct Options {
    int days = 60;
    int newPerDay = NextQuestion::kDefaultDailyNewLimit;
    double retention = Fsrs::kDefaultRetention;
    SimulatedLearner::Parameters model;
};

Options parse(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated learner in three study orders"));
    parser.addHelpOption();
    const QCommandLineOption days(QStringLiteral("days"), QStringLiteral("Days of study."),
                                  QStringLiteral("n"), QStringLiteral("60"));
    const QCommandLineOption fresh(
        QStringLiteral("new-per-day"),
        QStringLiteral("New questions a day by memory (else $NEW_PER_DAY, else the default)."),
        QStringLiteral("n"));
    const QCommandLineOption growth(
        QStringLiteral("recall-growth"),
        QStringLiteral("How much a recall lengthens the half-life (see README.md)."),
        QStringLiteral("g"), QString::number(Options().model.recallGrowth));
    const QCommandLineOption retention(
        QStringLiteral("retention"), QStringLiteral("The scheduler's target retention by memory."),
        QStringLiteral("r"), QString::number(Fsrs::kDefaultRetention));
    parser.addOptions({days, fresh, growth, retention});
    parser.process(app);
    Options o;
    o.days = std::max(1, parser.value(days).toInt());
    o.model.recallGrowth = std::max(0.0, parser.value(growth).toDouble());
    o.retention = Fsrs(parser.value(retention).toDouble()).targetRetention();
    const QString limit =
        parser.isSet(fresh) ? parser.value(fresh) : qEnvironmentVariable("NEW_PER_DAY");
    bool ok = false;
    if (const int n = limit.toInt(&ok); ok && n >= 0) o.newPerDay = n;
    return o;
}

QString day(int n) {
    return n < 0 ? QStringLiteral("never") : QString::number(n);
}

QString steps(qint64 n) {
    return n < 0 ? QStringLiteral("never") : QString::number(n);
}

void printTarget(const LearningCurve& documented, const LearningCurve& byMemory, int days) {
    if (documented.stepsToGoal < 0 || byMemory.stepsToGoal < 0) {
        std::printf("target: %s within %d days, so no ratio\n",
                    byMemory.stepsToGoal < 0 ? "by memory never reached 90%"
                                             : "the documented order never reached 90%",
                    days);
        return;
    }
    const double ratio = double(byMemory.stepsToGoal) / double(documented.stepsToGoal);
    std::printf("target: by memory took %.0f%% of the documented order's steps, %s %.0f%%\n",
                100 * ratio, ratio <= kTargetShare ? "within" : "OVER", 100 * kTargetShare);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options o = parse(app);
    StudyPlan plan;
    plan.days = o.days;
    const SimulatedLearner::Parameters& model = o.model;
    std::printf(
        "%d questions; %d steps of %lld s from %02d:00 each day; exam at %02d:00 the next "
        "morning; %d days\n",
        kQuestions, plan.stepsPerDay, plan.stepMs / 1000, plan.sessionHour, plan.examHour,
        plan.days);
    std::printf(
        "learner: first half-life %.2g days (x%.2g from hardest to easiest), recall "
        "growth %.3g, lapse x%.2g, relearning x%.2g\n",
        model.firstHalfLifeDays, model.difficultySpread, model.recallGrowth, model.lapseFactor,
        model.relearning);
    std::printf("by memory: at most %d new questions a day, target retention %.2f\n", o.newPerDay,
                o.retention);

    SimulatedLearner forDocumented(kQuestions, kBankSeed, model);
    SimulatedLearner forRandom(kQuestions, kBankSeed, model);
    SimulatedLearner forMemory(kQuestions, kBankSeed, model);
    DocumentedOrder documentedOrder(kQuestions);
    RandomOrder randomOrder(kQuestions, kRandomSeed);
    ByMemoryOrder byMemoryOrder(kQuestions, o.newPerDay, Fsrs(o.retention));
    const LearningCurve documented = studyDays(documentedOrder, forDocumented, plan, kAnswerSeed);
    const LearningCurve random = studyDays(randomOrder, forRandom, plan, kAnswerSeed);
    const LearningCurve byMemory = studyDays(byMemoryOrder, forMemory, plan, kAnswerSeed);

    std::printf("day  documented  random  by memory\n");
    for (int d = 0; d < plan.days; ++d)
        std::printf("%3d  %9.1f%%  %5.1f%%  %8.1f%%\n", d + 1, 100 * documented.shareByDay[d],
                    100 * random.shareByDay[d], 100 * byMemory.shareByDay[d]);
    using Reason = NextQuestion::Reason;
    const auto& why = byMemoryOrder.reasons();
    std::printf(
        "by memory saw %d of %d questions; its steps: %lld due, %lld new, %lld lowest "
        "recall\n",
        byMemoryOrder.seen(), kQuestions, why.value(Reason::Due), why.value(Reason::New),
        why.value(Reason::LowestRecall));
    std::printf("whole bank seen by day: documented %s, random %s, by memory %s\n",
                qPrintable(day(documented.wholeBankSeenOnDay)),
                qPrintable(day(random.wholeBankSeenOnDay)),
                qPrintable(day(byMemory.wholeBankSeenOnDay)));
    printTarget(documented, byMemory, plan.days);
    std::printf("steps to 90%%: documented %s, random %s, by memory %s\n",
                qPrintable(steps(documented.stepsToGoal)), qPrintable(steps(random.stepsToGoal)),
                qPrintable(steps(byMemory.stepsToGoal)));
    return 0;
}
