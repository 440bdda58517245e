// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one display step (move, text, fitToText) for a short and a
// 300-character question.
#include <benchmark/benchmark.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "platform/settingsstore.h"
#include "study/questionwindow.h"
#include "tests/support/testenv.h"

namespace {
void tick(benchmark::State& state, const QString& question) {
    TestEnv env;
    std::vector<BankSchema::Question> qs;
    for (int i = 0; i < 50; ++i)
        qs.push_back({QStringLiteral("交通安全法律"), question + QString::number(i), QStringLiteral("答案")});
    env.makeBank(qs);
    {
        SettingsStore s;
        s.write(QStringLiteral("xxx"), QStringLiteral("1"));
        s.write(QStringLiteral("voice"), QStringLiteral("0"));
    }
    SettingsStore store;
    QuestionWindow w(store, {});
    w.load();
    w.show();
    for (auto _ : state) w.cycle().onStepTimer();
    state.counters["chars"] = w.LB()->text().size();
}
}  // namespace

static void BM_TickShort(benchmark::State& s) { tick(s, QStringLiteral("黄灯亮时怎么办？")); }
static void BM_Tick300(benchmark::State& s) {
    tick(s, QString(QStringLiteral("机动车在高速公路上发生故障时应当开启危险报警闪光灯")).repeated(12).left(297));
}
BENCHMARK(BM_TickShort)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tick300)->Unit(benchmark::kMicrosecond);
