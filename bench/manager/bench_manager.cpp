// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a category of 100,000 questions in Manager's editor (open with the
// password, query, list filled, first paint), beside the sqlite3 shell
// reading the same rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QProcess>

#include "editor/questioneditor.h"
#include "questionbank/queries.h"
#include "tests/support/testenv.h"

namespace {
TestEnv& env() {
    static TestEnv e;
    static const bool built = [] {
        std::vector<BankSchema::Question> qs;
        qs.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            qs.push_back({QStringLiteral("交通信号"), QStringLiteral("第%1题：路口信号灯怎样指挥通行？").arg(i, 6, 10, QLatin1Char('0')),
                          QStringLiteral("按信号通行，答案%1").arg(i)});
        qs.push_back({QStringLiteral("文明驾驶"), QStringLiteral("礼让行人"), QStringLiteral("是")});
        e.makeBank(qs);
        return true;
    }();
    (void)built;
    return e;
}

void BM_ManagerSelect100k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<QuestionEditor>(EditorVariant::manager(), env().programDir());
        form->load();
        form->show();
        QApplication::processEvents();
        auto* combo = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
        combo->setCurrentIndex(1);
        state.ResumeTiming();
        form->onCategoryChosen();
        form->repaint();  // the first paint with the filled list
        state.PauseTiming();
        state.counters["entries"] = form->findChild<QListView*>(QStringLiteral("List1"))->model()->rowCount();
        form.reset();
        state.ResumeTiming();
    }
}

void BM_ManagerSelect100k_Floor(benchmark::State& state) {
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral("sqlite3"), {env().file(QStringLiteral("reg.ocx")),
                                            QStringLiteral("select * from word where category='交通信号' ORDER BY English;")});
        p.waitForFinished(-1);
        benchmark::DoNotOptimize(p.readAllStandardOutput().size());
    }
}

BENCHMARK(BM_ManagerSelect100k)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ManagerSelect100k_Floor)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace
