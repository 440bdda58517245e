// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one display step to a record with a picture (move, text,
// reading the picture from the file, decoding it for the screen and
// fitToText): a 60 KB JPEG photo, an SVG sign of the shipped bank and a
// 500 x 200 animated GIF of 10 frames (its first frame shown, its movie
// started). The floor is the same step to the same question without a
// picture.
#include <benchmark/benchmark.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "bench/study/picturemaker.h"
#include "bench/study/quietdisplay.h"
#include "platform/settingsstore.h"
#include "study/questionpicture.h"
#include "study/questionwindow.h"
#include "tests/support/animatedgif.h"
#include "tests/support/testenv.h"

namespace {
enum class Kind { None, Jpeg, Svg, Gif };

QByteArray animation() {
    AnimatedGif::Look look;
    look.width = 500;
    look.height = 200;
    for (int i = 0; i < 10; ++i) look.frames << QColor::fromHsv(i * 36, 200, 220);
    look.stripes = true;
    return AnimatedGif::make(look);
}

QByteArray svgSign() {
    return readFile(QStringLiteral(BENCH_SOURCE_DIR "/data/bank-pictures/signal-straight.svg"));
}

// An animation holds the timer's step until its first play ends; a step by
// key does not wait, so the animated case and its floor step by key.
void tick(benchmark::State& state, Kind kind, bool byKey = false) {
    TestEnv env;
    QRandomGenerator random(60);
    const QByteArray svg = svgSign();
    const QByteArray gif = animation();
    std::vector<BankSchema::Question> qs;
    qint64 bytes = 0;
    for (int i = 0; i < 20; ++i) {
        QByteArray picture;
        if (kind == Kind::Jpeg) picture = PictureMaker::jpeg(random, QSize(800, 600), 60 * 1024);
        if (kind == Kind::Svg) picture = svg;
        if (kind == Kind::Gif) picture = gif;
        bytes += picture.size();
        qs.push_back(
            {QStringLiteral("交通信号"),
             QStringLiteral("驾驶机动车遇到图中这种情况时，应当怎样做？") + QString::number(i),
             QStringLiteral("减速慢行，注意观察"), picture});
    }
    env.makeBank(qs);
    writeQuietDisplaySettings();
    SettingsStore store;
    QuestionWindow w(store, {});
    w.load();
    w.show();
    for (auto _ : state) {
        if (byKey)
            w.cycle().stepByKey(1);
        else
            w.cycle().onStepTimer();
    }
    if (kind != Kind::None && !w.picture()->shown()) state.SkipWithError("no picture shown");
    if (kind == Kind::Gif && !w.picture()->animated()) state.SkipWithError("no animation");
    state.counters["picture_bytes"] = double(bytes) / qs.size();
    state.counters["picture_height"] = w.picture()->pictureSize().height();
}
}  // namespace

static void BM_PictureTickJpeg60k(benchmark::State& s) {
    tick(s, Kind::Jpeg);
}
static void BM_PictureTickJpeg60k_Floor(benchmark::State& s) {
    tick(s, Kind::None);
}
static void BM_PictureTickSvgSign(benchmark::State& s) {
    tick(s, Kind::Svg);
}
static void BM_PictureTickSvgSign_Floor(benchmark::State& s) {
    tick(s, Kind::None);
}
static void BM_PictureTickGif500x200(benchmark::State& s) {
    tick(s, Kind::Gif, true);
}
static void BM_PictureTickGif500x200_Floor(benchmark::State& s) {
    tick(s, Kind::None, true);
}
BENCHMARK(BM_PictureTickGif500x200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickGif500x200_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickJpeg60k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickJpeg60k_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickSvgSign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickSvgSign_Floor)->Unit(benchmark::kMillisecond);
