// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a bank of real-exam shape (3,578 rows, 1,024 with a picture) and
// drawing a 100-question 科目一 paper from it, as the exam window does on
// opening; and reading one question's picture, as it does on each move.
// Floors in the same run: the same rows read with a bare SQLite query, and
// the same picture read by a bare query on an open connection. Targets: the
// read and draw well inside the window's 300 ms; a picture inside its 20 ms.
#include <benchmark/benchmark.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "bench/ratioreporter.h"
#include "questionbank/progressstore.h"
#include "questionbank/queries.h"
#include "study/mockexam/exambankreader.h"
#include "study/mockexam/paperdraw.h"
#include "tests/support/exambank.h"
#include "tools/bankcommands.h"

namespace {

QString gFolder;

QString bankPath() {
    return QDir(gFolder).filePath(Queries::kBankFile);
}

void BM_ReadAndDraw(benchmark::State& state) {
    size_t drawn = 0;
    for (auto _ : state) {
        ExamBankReader reader(gFolder);
        const auto all = reader.bankQuestions();
        if (!all) state.SkipWithError("bank not read");
        PaperDraw draw(*all);
        drawn = draw.draw(PaperRules::subjectOne()).questions.size();
        benchmark::DoNotOptimize(drawn);
    }
    state.counters["questions"] = double(drawn);
}

void BM_ReadAndDraw_Floor(benchmark::State& state) {
    size_t rows = 0;
    for (auto _ : state) {
        SQLite::Database db(bankPath().toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement q(db,
                            "SELECT \"index\", category, English, Chinese, kind, option_a,"
                            " option_b, option_c, option_d, explanation, identity,"
                            " length(picture) > 0 FROM Word WHERE kind <> ''");
        rows = 0;
        while (q.executeStep()) {
            for (int c = 0; c < 11; ++c) benchmark::DoNotOptimize(q.getColumn(c).getString());
            ++rows;
        }
    }
    state.counters["rows"] = double(rows);
}

// The question whose picture is largest, read through the exam's reader.
void BM_Picture(benchmark::State& state) {
    ExamBankReader reader(gFolder);
    const auto all = reader.bankQuestions();
    const ExamQuestion* pictured = nullptr;
    for (const ExamQuestion& q : *all)
        if (q.hasPicture) pictured = &q;
    if (!pictured) state.SkipWithError("no picture");
    for (auto _ : state) benchmark::DoNotOptimize(reader.picture(*pictured).size());
}

void BM_Picture_Floor(benchmark::State& state) {
    SQLite::Database db(bankPath().toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(
        db, "SELECT picture FROM Word WHERE length(picture) > 0 ORDER BY \"index\" DESC LIMIT 1");
    for (auto _ : state) {
        q.reset();
        q.executeStep();
        benchmark::DoNotOptimize(q.getColumn(0).getBytes());
    }
}

// Saving where a 100-question paper stands, as after each response, in a
// progress store on the disk the bench runs from; beside a bare SQLite
// commit of one row with the same durability.
void BM_SaveRunning(benchmark::State& state) {
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-exam-XXXXXX"));
    auto store = ProgressStore::open(dir.path(), Fsrs());
    ExamBankReader reader(gFolder);
    const auto all = reader.bankQuestions();
    const DrawnPaper paper = PaperDraw(*all, 1).draw(PaperRules::subjectOne());
    ProgressStore::RunningPaper r;
    r.paper = r.subject = paper.name();
    for (const ExamQuestion& q : paper.questions) r.identities << q.identity, r.responses << "A";
    r.durationMs = r.remainingMs = paper.durationMs;
    for (auto _ : state) {
        --r.remainingMs;
        if (!store || !store->saveRunningPaper(r)) state.SkipWithError("not saved");
    }
}

void BM_SaveRunning_Floor(benchmark::State& state) {
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-exam-XXXXXX"));
    SQLite::Database db(dir.filePath("floor.db").toStdString(),
                        SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec("PRAGMA synchronous=FULL");
    db.exec("CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT)");
    const std::string text(100 * 70, 'a');  // about the running paper's size
    SQLite::Statement q(db, "INSERT OR REPLACE INTO t VALUES (1, ?)");
    for (auto _ : state) {
        db.exec("BEGIN IMMEDIATE");
        q.reset();
        q.bind(1, text);
        q.exec();
        db.exec("COMMIT");
    }
}

BENCHMARK(BM_SaveRunning)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRunning_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndDraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndDraw_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Picture_Floor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ExamBank::Shape shape;
    shape.mended = true;
    const ExamBank::Made made = ExamBank::write(dir.filePath("csv"), shape);
    gFolder = dir.filePath("program");
    QString log;
    QTextStream out(&log), err(&log);
    if (BankCommands::build(made.csv, gFolder, true, out, err, true) != 0) {
        std::fprintf(stderr, "bank not built: %s\n", qPrintable(log));
        return 1;
    }
    ExamBankReader reader(gFolder);
    const auto all = reader.bankQuestions();
    std::printf("bank: %d rows, %zu exam questions read, %d left out\n", made.rows,
                all ? all->size() : 0, reader.skipped());
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
