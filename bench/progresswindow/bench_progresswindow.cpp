// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the progress window on a bank of real size (3,578 rows in the
// shape of a real exam bank, 3,500 of its questions studied for a year:
// every due question and 20 new ones each evening, and a mock exam a week),
// to its first paint: the store opened, both banks and the whole history
// read, the summary worked out, the charts drawn. Beside it, the floor: a
// bare window shown to its first paint in the same run. Target: under 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "bench/progresswindow/studiedbank.h"
#include "bench/ratioreporter.h"
#include "questionbank/progressinput.h"
#include "questionbank/queries.h"
#include "study/learnerprogress.h"
#include "study/progresswindow.h"
#include "tests/support/exambank.h"
#include "tools/bankcommands.h"

namespace {

constexpr int kStudied = 3500;
constexpr double kTargetMs = 300.0;

struct World {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench-progresswindow-XXXXXX")};
    QString folder;
    qint64 now = 0;
    size_t reviews = 0;
    int questions = 0;
};

[[noreturn]] void die(const char* what, const QString& why = {}) {
    std::fprintf(stderr, "%s %s\n", what, qPrintable(why));
    std::exit(1);
}

void studyYear(World& w) {
    QString why;
    const auto studied = StudiedBank::fill(w.folder, kStudied, QDate(2025, 6, 1), &why);
    if (!studied) die("no year of study:", why);
    w.questions = studied->rows;
    w.reviews = studied->reviews;
    w.now = studied->endMs;
}

World& world() {
    static World w = [] {
        World made;
        if (!made.dir.isValid()) die("no folder in", QDir::currentPath());
        made.folder = made.dir.path();
        ExamBank::Shape shape;
        shape.mended = true;
        const ExamBank::Made bank = ExamBank::write(made.folder + QStringLiteral("/csv"), shape);
        QString log;
        QTextStream out(&log), err(&log);
        if (BankCommands::build(bank.csv, made.folder, true, out, err, true) != 0)
            die("bank not built:", log);
        studyYear(made);
        return made;
    }();
    return w;
}

// Shows the window and waits for the first paint of every part named.
template <typename Made>
void showUntilPainted(benchmark::State& state, Made make) {
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = make();
        QList<QWidget*> parts{window.get()};
        for (QChartView* v : window->findChildren<QChartView*>()) parts << v->viewport();
        for (QTableWidget* t : window->findChildren<QTableWidget*>()) parts << t->viewport();
        // An event loop that ends at the last first paint: a polling wait
        // would add its own sleeps to the time.
        QEventLoop loop;
        struct Watch : QObject {
            QSet<QObject*> waiting;
            QEventLoop* loop = nullptr;
            bool eventFilter(QObject* o, QEvent* e) override {
                if (e->type() == QEvent::Paint && waiting.remove(o) && waiting.isEmpty())
                    QTimer::singleShot(0, loop, &QEventLoop::quit);
                return false;
            }
        } watch;
        watch.loop = &loop;
        for (QWidget* p : parts) {
            watch.waiting.insert(p);
            p->installEventFilter(&watch);
        }
        window->show();
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        if (!watch.waiting.isEmpty()) state.SkipWithError("no first paint");
        state.PauseTiming();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_OpenProgressWindow(benchmark::State& state) {
    World& w = world();
    std::unique_ptr<LearnerProgress> progress;
    showUntilPainted(state, [&]() -> std::unique_ptr<QWidget> {
        // A fresh store each time: the first opening of a session opens it.
        progress = std::make_unique<LearnerProgress>([&] { return w.folder; }, [] { return 0.9; });
        auto window = std::make_unique<ProgressWindow>(
            [&] { return ProgressReport::load(*progress, w.folder, w.now); });
        window->refresh();
        return window;
    });
}

void BM_OpenProgressWindow_Floor(benchmark::State& state) {
    showUntilPainted(state, [] {
        auto bare = std::make_unique<QWidget>();
        bare->resize(1040, 720);
        return bare;
    });
}

BENCHMARK(BM_OpenProgressWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_OpenProgressWindow_Floor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

class TargetReporter : public RatioReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        RatioReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_name.function_name != "BM_OpenProgressWindow") continue;
            const double ms = r.GetAdjustedRealTime();
            std::printf("target %s: %.1f ms to the first paint, %s %.0f ms\n",
                        r.run_name.function_name.c_str(), ms, ms < kTargetMs ? "within" : "OVER",
                        kTargetMs);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const World& w = world();  // made once, before any timing
    std::printf("%d rows in the bank, %d studied, %zu reviews over a year\n", w.questions, kStudied,
                w.reviews);
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
