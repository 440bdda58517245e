// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the bank, running one category's query and reading it to the end,
// beside the sqlite3 shell reading the same rows in the same run: Manager's
// query (ordered by the text) and the display's (the bank's own order).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "bench/ratioreporter.h"
#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/database.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"

namespace {

QString shippedBank() {
    const QString dir =
        qEnvironmentVariable("QUILLMERE_PROGRAM_DIR", QStringLiteral(BENCH_PROGRAM_DIR));
    return dir + QStringLiteral("/reg.ocx");
}

// 100,000 questions, 10,000 in each category.
const QString& bigBank() {
    static QTemporaryDir dir;
    static const QString path = [] {
        std::vector<BankSchema::Question> qs;
        const QStringList names = Categories::names();
        qs.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            qs.push_back({names[i % 10],
                          QStringLiteral("第%1题：机动车在道路上行驶时应当怎样做？").arg(i),
                          QStringLiteral("按规定行驶，答案%1").arg(i)});
        const QString p = dir.path() + QStringLiteral("/reg.ocx");
        BankSchema::build(p, BankSchema::Kind::Bank, qs, Queries::kBankPassword);
        return p;
    }();
    return path;
}

int readCategory(const QString& path, const QString& category) {
    auto db = Database::open(path, {.exclusive = true}, Queries::kBankConnect);
    auto rs = RecordSet::open(db, Queries::managerEditor(category));
    int n = 0;
    for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext())
        n += rs->text(QStringLiteral("English")).size() > 0;
    return n;
}

// The display reads its set the way Study does: shared, read-only.
int displayCategory(const QString& path, const QString& category) {
    auto db = Database::open(path, {.readOnly = true}, Queries::kBankConnect);
    auto rs = RecordSet::open(db, Queries::displayCategory(category));
    int n = 0;
    for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext())
        n += rs->text(QStringLiteral("English")).size() > 0;
    return n;
}

void runShell(const QString& path, const QString& category, bool byText = true) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"),
            {path, QStringLiteral("select * from word where category='%1'%2;")
                       .arg(category, byText ? QStringLiteral(" ORDER BY English") : QString())});
    p.waitForFinished(-1);
    if (p.readAllStandardOutput().isEmpty()) std::fprintf(stderr, "sqlite3 returned nothing\n");
}

void BM_CategoryShipped(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readCategory(shippedBank(), QStringLiteral("交通信号")));
}
void BM_CategoryShipped_Floor(benchmark::State& state) {
    for (auto _ : state) runShell(shippedBank(), QStringLiteral("交通信号"));
}
void BM_Category100k(benchmark::State& state) {
    for (auto _ : state)
        state.counters["rows"] = readCategory(bigBank(), QStringLiteral("交通信号"));
}
void BM_Category100k_Floor(benchmark::State& state) {
    for (auto _ : state) runShell(bigBank(), QStringLiteral("交通信号"));
}
void BM_DisplayCategory100k(benchmark::State& state) {
    for (auto _ : state)
        state.counters["rows"] = displayCategory(bigBank(), QStringLiteral("交通信号"));
}
void BM_DisplayCategory100k_Floor(benchmark::State& state) {
    for (auto _ : state) runShell(bigBank(), QStringLiteral("交通信号"), false);
}
void BM_WholeBank100k(benchmark::State& state) {
    for (auto _ : state) {
        auto db = Database::open(bigBank(), {.readOnly = true}, Queries::kBankConnect);
        state.counters["rows"] = RecordSet::open(db, Queries::displayAll())->RecordCount();
    }
}

BENCHMARK(BM_CategoryShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CategoryShipped_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Category100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Category100k_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayCategory100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayCategory100k_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeBank100k)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bigBank();  // built once before any timing, not inside the first benchmark's
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
