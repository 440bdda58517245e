// SPDX-License-Identifier: GPL-3.0-or-later
// bankctl build on a bank in the shape of a real exam bank (3,578 rows, about
// 1,024 pictures, the full CSV form), against a floor: the bankctl of before
// the exam-form columns, given in OLD_BANKCTL, on the same rows without the
// new columns (their texts made unique, as that form requires). Prints the
// ratio; the target is at most 1.2.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "bench/ratioreporter.h"
#include "tests/support/exambank.h"

namespace {

QTemporaryDir* work = nullptr;
// [0]: small pictures, so that the text's share of the work is large;
// [1]: pictures of a photograph's size (120 x 90 noise, about 32 KB each).
QString fullCsv[2], oldCsv[2];

void runBuild(benchmark::State& state, const QString& program, const QString& csv) {
    for (auto _ : state) {
        QProcess p;
        p.start(program, {QStringLiteral("--skip-repeats"), QStringLiteral("--replace-personal"),
                          QStringLiteral("build"), csv, work->path() + QStringLiteral("/out")});
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            state.SkipWithError(
                ("build failed: " + p.readAllStandardError().left(400)).constData());
            return;
        }
    }
}

void newBuild(benchmark::State& state, int set) {
    runBuild(state, QStringLiteral(BENCH_PROGRAM_DIR "/bankctl"), fullCsv[set]);
}

void oldBuild(benchmark::State& state, int set) {
    const QString old = qEnvironmentVariable("OLD_BANKCTL");
    if (old.isEmpty()) {
        state.SkipWithError("OLD_BANKCTL names no program: no floor, no ratio");
        return;
    }
    runBuild(state, old, oldCsv[set]);
}

void BM_BankctlBuild(benchmark::State& state) {
    newBuild(state, 0);
}
void BM_BankctlBuild_Floor(benchmark::State& state) {
    oldBuild(state, 0);
}
void BM_BankctlBuildPhotoSize(benchmark::State& state) {
    newBuild(state, 1);
}
void BM_BankctlBuildPhotoSize_Floor(benchmark::State& state) {
    oldBuild(state, 1);
}

// Each build against its floor in turn, so that a change of the machine's
// load meets both alike.
BENCHMARK(BM_BankctlBuild_Floor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_BankctlBuild)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_BankctlBuildPhotoSize_Floor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_BankctlBuildPhotoSize)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    work = &dir;
    ExamBank::Made made;
    for (int set : {0, 1}) {
        ExamBank::Shape shape;
        shape.mended = true;
        shape.pictureWidth = set == 0 ? 48 : 120;
        const QString folder = dir.path() + QStringLiteral("/%1").arg(set);
        made = ExamBank::write(folder + QStringLiteral("/full"), shape);
        fullCsv[set] = made.csv;
        shape.examColumns = false;
        oldCsv[set] = ExamBank::write(folder + QStringLiteral("/old"), shape).csv;
    }
    std::printf("bank: %d rows, %d with a picture, %d repeats left out, %d kept\n", made.rows,
                made.pictureRows, made.repeats, made.distinctQuestions);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
