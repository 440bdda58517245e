// SPDX-License-Identifier: GPL-3.0-or-later
// The process CPU Study's display needs while a 500 x 200 animation plays at
// 10 frames a second, beside the floor: QMovie alone playing the same bytes
// in a bare window, in the same process and run (offscreen, like the other
// display benchmarks: what is measured is decoding, scaling and painting).
// Each iteration's time is the CPU time used over CPU_SECONDS (default 5) of
// wall-clock time; the reporter prints the ratio display / floor.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QTimer>

#include "bench/study/quietdisplay.h"
#include "platform/settingsstore.h"
#include "questionbank/animatedpicture.h"
#include "study/questionpicture.h"
#include "study/questionwindow.h"
#include "tests/support/animatedgif.h"
#include "tests/support/testenv.h"

namespace {

int seconds() {
    const int s = qEnvironmentVariableIntValue("CPU_SECONDS");
    return s > 0 ? s : 5;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU seconds the process spends while the event loop runs for `ms`.
double cpuOver(int ms) {
    const double before = cpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return cpuSeconds() - before;
}

QByteArray animation() {
    AnimatedGif::Look look;
    look.width = 500;
    look.height = 200;
    for (int i = 0; i < 10; ++i) look.frames << QColor::fromHsv(i * 36, 200, 220);
    look.delayCs = 10;  // 10 frames a second
    look.stripes = true;
    return AnimatedGif::make(look);
}

struct Measure {
    double cpu = 0;
    int frames = 0;
};

Measure bare(const QByteArray& bytes, int ms) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QMovie movie(&buffer, "gif");
    QLabel label;
    label.setMovie(&movie);
    Measure m;
    QObject::connect(&movie, &QMovie::frameChanged, [&m] { ++m.frames; });
    movie.start();
    label.show();
    cpuOver(500);  // shown and settled
    m.frames = 0;
    m.cpu = cpuOver(ms);
    return m;
}

Measure display(const QByteArray& bytes, int ms) {
    TestEnv env;
    env.makeBank({{QStringLiteral("交通信号"), QStringLiteral("这个手势表示什么？"),
                   QStringLiteral("停止"), bytes}});
    writeQuietDisplaySettings();
    SettingsStore store;
    QuestionWindow w(store, {});
    w.load();
    w.show();
    Measure m;
    cpuOver(500);
    if (!w.picture()->animated()) return m;
    // Each step restarts the picture: count the frames of whichever plays.
    QMetaObject::Connection counting;
    auto count = [&] {
        QObject::disconnect(counting);
        if (AnimatedPicture* a = w.picture()->animation())
            counting = QObject::connect(a, &AnimatedPicture::frameChanged, [&m] { ++m.frames; });
    };
    QObject::connect(&w.cycle(), &StudyCycle::recordChanged, count);
    count();
    m.cpu = cpuOver(ms);
    w.cycle().stop();
    return m;
}

}  // namespace

static void BM_AnimationCpu(benchmark::State& state) {
    const QByteArray bytes = animation();
    int frames = 0;
    for (auto _ : state) {
        const Measure m = display(bytes, seconds() * 1000);
        if (m.frames == 0) state.SkipWithError("the display shows no animation");
        frames += m.frames;
        state.SetIterationTime(m.cpu);
    }
    state.counters["frames_per_s"] = double(frames) / (state.iterations() * seconds());
}
static void BM_AnimationCpu_Floor(benchmark::State& state) {
    const QByteArray bytes = animation();
    int frames = 0;
    for (auto _ : state) {
        const Measure m = bare(bytes, seconds() * 1000);
        frames += m.frames;
        state.SetIterationTime(m.cpu);
    }
    state.counters["frames_per_s"] = double(frames) / (state.iterations() * seconds());
}
BENCHMARK(BM_AnimationCpu)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnimationCpu_Floor)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
