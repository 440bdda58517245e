// SPDX-License-Identifier: GPL-3.0-or-later
// The mock exam's window on a bank of real-exam shape (3,578 rows, 1,024
// with a picture): opened with a drawn 科目一 paper of 100 questions to its
// first paint (reading the bank, drawing, the grid of 100, the first
// question and the saved running paper), beside a bare window's start to
// its first paint in the same run (target: at most 300 ms; the floors are a
// bare Qt program's start and a bare window's show); and a move
// between two questions with pictures (the picture read from reg.ocx,
// decoded, the window painted), beside the same move between questions
// without one (target: at most 20 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>
#include <cstdio>

#include "bench/ratioreporter.h"
#include "questionbank/fsrs.h"
#include "study/learnerprogress.h"
#include "study/mockexam/exampaperpage.h"
#include "study/mockexam/examquestionview.h"
#include "study/mockexam/mockexamwindow.h"
#include "study/questionpicture.h"
#include "tests/support/exambank.h"
#include "tools/bankcommands.h"

namespace {

QString gFolder;

// Counts the paints a widget gets.
class PaintWatch : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void waitForPaint(const PaintWatch& watch) {
    QElapsedTimer t;
    t.start();
    while (watch.paints == 0 && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The floor: a bare Qt program's start to its first paint (bench_barewindow
// beside this bench), as the display's start-up bench measures it.
void BM_ExamWindowOpen_Floor(benchmark::State& state) {
    const QString bare =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_barewindow");
    for (auto _ : state) {
        QProcess p;
        p.start(bare, {QStringLiteral("--text")});
        if (!p.waitForFinished(10000) || p.exitCode() != 0) state.SkipWithError("no bare window");
    }
}

// A window with a line of Chinese shown to its first paint, in this process.
void BM_BareWindowShow(benchmark::State& state) {
    for (auto _ : state) {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        layout->addWidget(new QLabel(QStringLiteral("驾驶机动车时，应当怎样做？"), &w));
        w.resize(960, 680);
        PaintWatch watch;
        w.installEventFilter(&watch);
        w.show();
        waitForPaint(watch);
    }
}

void BM_ExamWindowOpen(benchmark::State& state) {
    QTemporaryDir store;
    LearnerProgress progress([&] { return store.path(); }, [] { return Fsrs::kDefaultRetention; });
    int count = 0;
    for (auto _ : state) {
        MockExamWindow w(progress, gFolder, [] { return nullptr; });
        PaintWatch watch;
        w.paperPage()->view()->installEventFilter(&watch);
        if (!w.startPaper(PaperRules::Subject::One)) state.SkipWithError("no paper");
        w.show();
        waitForPaint(watch);
        count = w.session() ? w.session()->count() : 0;
    }
    state.counters["questions"] = count;
}

// Moves between the paper's questions, with pictures or without, painting
// the window each time as the event loop would.
void move(benchmark::State& state, bool pictured) {
    QTemporaryDir store;
    LearnerProgress progress([&] { return store.path(); }, [] { return Fsrs::kDefaultRetention; });
    MockExamWindow w(progress, gFolder, [] { return nullptr; });
    if (!w.startPaper(PaperRules::Subject::One)) state.SkipWithError("no paper");
    w.show();
    std::vector<int> targets;
    for (int i = 0; i < w.session()->count(); ++i)
        if (w.session()->question(i).hasPicture == pictured) targets.push_back(i);
    if (targets.size() < 2) state.SkipWithError("too few questions to move between");
    size_t k = 0;
    for (auto _ : state) {
        w.session()->jump(targets[k++ % targets.size()]);
        w.repaint();
    }
    if (w.paperPage()->view()->picture()->shown() != pictured)
        state.SkipWithError("the picture is not as expected");
    state.counters["questions"] = double(targets.size());
    state.counters["picture_height"] = w.paperPage()->view()->picture()->pictureSize().height();
}

void BM_ExamMovePictures(benchmark::State& state) {
    move(state, true);
}
void BM_ExamMovePictures_Floor(benchmark::State& state) {
    move(state, false);
}

BENCHMARK(BM_ExamWindowOpen_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareWindowShow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExamWindowOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExamMovePictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExamMovePictures_Floor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ExamBank::Shape shape;
    shape.mended = true;
    // Pictures of a real sign's size on screen, about 50 KB each.
    shape.pictureWidth = 160;
    const ExamBank::Made made = ExamBank::write(dir.filePath("csv"), shape);
    gFolder = dir.filePath("program");
    QString log;
    QTextStream out(&log), err(&log);
    if (BankCommands::build(made.csv, gFolder, true, out, err, true) != 0) {
        std::fprintf(stderr, "bank not built: %s\n", qPrintable(log));
        return 1;
    }
    std::printf("bank: %d rows, %d with a picture\n", made.rows, made.pictureRows);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
