// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a category of 1,000 questions that all have pictures of 20-60 KB
// in Manager's editor (open with the password, query, list filled, first
// paint), beside the sqlite3 shell reading the same rows' fields. The
// pictures are never read for this; the figure must not grow with them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QProcess>
#include <QRandomGenerator>

#include "editor/questioneditor.h"
#include "questionbank/queries.h"
#include "tests/support/testenv.h"

namespace {
TestEnv& env() {
    static TestEnv e;
    static const bool built = [] {
        QRandomGenerator random(13);
        std::vector<BankSchema::Question> qs;
        for (int i = 0; i < 1000; ++i) {
            // Bytes that stand for a JPEG: nothing decodes them here.
            QByteArray picture(20 * 1024 + int(random.bounded(40 * 1024)), '\0');
            random.fillRange(reinterpret_cast<quint32*>(picture.data()), int(picture.size() / 4));
            picture.replace(0, 3, "\xFF\xD8\xFF");
            qs.push_back(
                {QStringLiteral("交通信号"),
                 QStringLiteral("第%1题：这个标志表示什么意思？").arg(i, 4, 10, QLatin1Char('0')),
                 QStringLiteral("答案%1").arg(i), picture});
        }
        for (int i = 0; i < 2600; ++i)
            qs.push_back({QStringLiteral("文明驾驶"), QStringLiteral("文明驾驶第%1题").arg(i),
                          QStringLiteral("是")});
        e.makeBank(qs);
        return true;
    }();
    (void)built;
    return e;
}

void BM_ManagerSelect1000Pictures(benchmark::State& state) {
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

void BM_ManagerSelect1000Pictures_Floor(benchmark::State& state) {
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral("sqlite3"),
                {env().file(QStringLiteral("reg.ocx")),
                 QStringLiteral("select \"index\", English, Chinese, category from word "
                                "where category='交通信号' ORDER BY English;")});
        p.waitForFinished(-1);
        benchmark::DoNotOptimize(p.readAllStandardOutput().size());
    }
}

BENCHMARK(BM_ManagerSelect1000Pictures)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ManagerSelect1000Pictures_Floor)->Unit(benchmark::kMillisecond)->Iterations(20);
}  // namespace
