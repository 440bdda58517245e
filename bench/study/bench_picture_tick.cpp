// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one display step to a record with a picture (move, text,
// reading the picture from the file, decoding it for the screen and
// fitToText): a 60 KB JPEG photo, an SVG sign of the shipped bank and a
// 500 x 200 animated GIF of 10 frames (its first frame shown, its movie
// started). The floor is the same step to the same question without a
// picture. The exam-form case steps to a 单选 question with four options and
// an explanation, shown with its answer, and the 60 KB photo; its floor is
// the same question without the photo.
#include <benchmark/benchmark.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "bench/study/picturemaker.h"
#include "bench/study/quietdisplay.h"
#include "platform/settingsstore.h"
#include "questionbank/examfields.h"
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

ExamFields examFields(int i) {
    ExamFields f;
    f.kind = ExamKind::kSingle;
    f.options = {QStringLiteral("减速慢行，注意观察路口情况"), QStringLiteral("鸣喇叭催促前车"),
                 QStringLiteral("加速从右侧超越"), QStringLiteral("停车等待") + QString::number(i)};
    f.explanation = QStringLiteral(
        "遇到图中这种情况，应当减速慢行，注意观察，确认安全后再通过，不得鸣喇叭催促或强行超越。");
    return f;
}

enum class Form { Plain, Exam };

// An animation holds the timer's step until its first play ends; a step by
// key does not wait, so the animated case and its floor step by key.
void tick(benchmark::State& state, Kind kind, bool byKey = false, Form form = Form::Plain) {
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
        if (form == Form::Exam)
            qs.back().answer = QStringLiteral("A"), qs.back().exam = examFields(i);
    }
    env.makeBank(qs);
    writeQuietDisplaySettings();
    // The explanation follows the answer, as the learner switches it on.
    if (form == Form::Exam)
        SettingsStore().write(QStringLiteral("explainword"), QStringLiteral("1"));
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
    if (form == Form::Exam) {
        // Both halves of the step are the exam form's: options, then the explanation.
        bool options = false, explained = false;
        for (int i = 0; i < 2; ++i) {
            options |= w.LB()->text().contains(QStringLiteral("D."));
            explained |= w.LB()->text().contains(QStringLiteral("解析"));
            w.cycle().onStepTimer();
        }
        if (!options || !explained) state.SkipWithError("exam form not shown");
    }
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
static void BM_PictureTickExamJpeg60k(benchmark::State& s) {
    tick(s, Kind::Jpeg, false, Form::Exam);
}
static void BM_PictureTickExamJpeg60k_Floor(benchmark::State& s) {
    tick(s, Kind::None, false, Form::Exam);
}
BENCHMARK(BM_PictureTickGif500x200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickGif500x200_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickJpeg60k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickJpeg60k_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickSvgSign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickSvgSign_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickExamJpeg60k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureTickExamJpeg60k_Floor)->Unit(benchmark::kMillisecond);
