// SPDX-License-Identifier: GPL-3.0-or-later
// Animated pictures: what counts as one, the decoder's limits on them, that
// they loop, and that the display's step waits for the end of the first
// play. Waits follow the movie's own frame signals, never a fixed time.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "editor/picturepanel.h"
#include "questionbank/animatedpicture.h"
#include "study/questionpicture.h"
#include "tests/study/studyfixture.h"
#include "tests/support/animatedgif.h"
#include "tests/support/picturebytes.h"

namespace {

// Three frames, each `delayCs` hundredths: grey, red, blue.
QByteArray threeFrames(int delayCs = 4, int loops = 0, int w = 120, int h = 60) {
    AnimatedGif::Look look;
    look.width = w;
    look.height = h;
    look.frames = {QColor(128, 128, 128), QColor(255, 0, 0), QColor(0, 0, 255)};
    look.delayCs = delayCs;
    look.loops = loops;
    return AnimatedGif::make(look);
}

// Waits (on the event loop) until `done` holds; false after `ms`.
template <typename F>
bool waitFor(F done, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(5);
    }
    return true;
}

}  // namespace

TEST(AnimatedPicture, OnlyGifAndWebpOfSeveralFramesAnimate) {
    EXPECT_TRUE(AnimatedPicture::isAnimation(threeFrames()));
    AnimatedGif::Look one;
    one.frames = {Qt::red};
    EXPECT_FALSE(AnimatedPicture::isAnimation(AnimatedGif::make(one)));
    EXPECT_FALSE(AnimatedPicture::isAnimation(PictureBytes::encoded("PNG", 40, 20)));
    EXPECT_FALSE(AnimatedPicture::isAnimation(PictureBytes::svgSign()));
    EXPECT_FALSE(AnimatedPicture::isAnimation(QByteArray("GIF89a")));

    PictureDecoder::Result still;
    EXPECT_EQ(AnimatedPicture::open(AnimatedGif::make(one), {200, 200}, 1, &still), nullptr);
    EXPECT_TRUE(still.ok()) << "a still GIF is shown as a still picture";
}

TEST(AnimatedPicture, TooLargeAnAnimationIsRefusedLikeAStillPicture) {
    // The screen descriptor declares 20000 x 20000; the frames are small.
    QByteArray bomb = threeFrames();
    bomb[6] = char(20000 & 0xFF);
    bomb[7] = char(20000 >> 8);
    bomb[8] = char(20000 & 0xFF);
    bomb[9] = char(20000 >> 8);
    ASSERT_TRUE(AnimatedPicture::isAnimation(bomb));
    const PictureDecoder::Result asStill = PictureDecoder::decode(bomb, {320, 160}, 1);
    ASSERT_FALSE(asStill.ok());
    PictureDecoder::Result r;
    EXPECT_EQ(AnimatedPicture::open(bomb, {320, 160}, 1, &r), nullptr);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, asStill.error);

    QByteArray huge = threeFrames();
    huge.append(QByteArray(PictureDecoder::kMaxBytes, '\0'));
    EXPECT_EQ(AnimatedPicture::open(huge, {320, 160}, 1, &r), nullptr);
    EXPECT_TRUE(r.error.contains(QStringLiteral("图片过大"))) << r.error.toStdString();
}

TEST(AnimatedPicture, PlaysEveryFrameAndLoopsWhateverTheFileSays) {
    for (int loops : {-1, 0, 1}) {  // once, for ever, twice
        SCOPED_TRACE(loops);
        PictureDecoder::Result r;
        auto movie = AnimatedPicture::open(threeFrames(2, loops), {60, 30}, 1, &r);
        ASSERT_NE(movie, nullptr);
        EXPECT_EQ(movie->frame().size(), QSize(60, 30)) << "fitted into the box";
        QSignalSpy first(movie.get(), &AnimatedPicture::firstLoopEnded);
        QSet<int> seen;
        QObject::connect(movie.get(), &AnimatedPicture::frameChanged,
                         [&] { seen << movie->frameNumber(); });
        movie->start();
        ASSERT_TRUE(waitFor([&] { return movie->loopsPlayed() >= 4; }));
        EXPECT_EQ(first.count(), 1) << "the first play ends once";
        EXPECT_EQ(seen, (QSet<int>{0, 1, 2}));
        EXPECT_EQ(movie->frame().size(), QSize(60, 30));
    }
}

TEST(AnimatedPicture, FramesWithoutATimeDoNotRunFlatOut) {
    // Frame times of 0 or 10 ms, played as fast as decoding goes, would keep
    // a core busy. Qt's GIF reader shows such frames for 100 ms, as web
    // browsers do; the movie must keep that.
    PictureDecoder::Result r;
    auto movie = AnimatedPicture::open(threeFrames(0), {60, 30}, 1, &r);
    constexpr int kBrowsersDelayMs = 100;
    ASSERT_NE(movie, nullptr);
    int frames = 0;
    QObject::connect(movie.get(), &AnimatedPicture::frameChanged, [&] { ++frames; });
    QElapsedTimer clock;
    clock.start();
    movie->start();
    ASSERT_TRUE(waitFor([&] { return movie->loopsPlayed() >= 2; }));
    // A lower bound only: a slow machine makes it longer, never shorter.
    EXPECT_GE(clock.elapsed(), (frames - 1) * kBrowsersDelayMs * 9 / 10);
    EXPECT_GE(frames, 6);
}

TEST(AnimatedPicture, DisplayShowsALaterFrame) {
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通信号"), QStringLiteral("这个手势表示什么？"),
                     QStringLiteral("停止"), threeFrames(4)}});
    f.settings({{"guageword", "2"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    w.cycle().stepTimer()->stop();  // the record stays
    QuestionPicture* p = w.picture();
    ASSERT_TRUE(p->animated());
    EXPECT_EQ(p->pictureSize(), QSize(120, 60));
    const QPoint centre = p->geometry().center();
    const QColor firstFrame = w.grab().toImage().pixelColor(centre);
    EXPECT_EQ(firstFrame, QColor(128, 128, 128));
    // The window shows what the movie shows: red, then blue, then grey again.
    ASSERT_TRUE(waitFor([&] { return p->animation()->frameNumber() == 1; }));
    EXPECT_EQ(w.grab().toImage().pixelColor(centre), QColor(255, 0, 0));
    ASSERT_TRUE(waitFor([&] { return p->animation()->frameNumber() == 2; }));
    EXPECT_EQ(w.grab().toImage().pixelColor(centre), QColor(0, 0, 255));
    ASSERT_TRUE(waitFor([&] { return p->animation()->loopsPlayed() >= 2; }));
}

TEST(AnimatedPicture, DisplayStepWaitsForTheEndOfTheFirstPlay) {
    StudyFixture f;
    f.env.makeBank({{QStringLiteral("交通信号"), QStringLiteral("1动画"), QStringLiteral("答"),
                     threeFrames(10)},
                    {QStringLiteral("交通信号"), QStringLiteral("2文字"), QStringLiteral("答")}});
    f.settings({{"guageword", "2"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    w.cycle().stepTimer()->stop();  // ticks are given by hand
    ASSERT_TRUE(w.picture()->animated());
    QSignalSpy ended(w.picture(), &QuestionPicture::firstLoopEnded);
    EXPECT_EQ(w.cycle().picture(), StudyCycle::Picture::FirstLoop);
    w.cycle().onStepTimer();  // due while the first play runs
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("1动画"));
    EXPECT_EQ(w.cycle().picture(), StudyCycle::Picture::FirstLoopStepDue);
    EXPECT_EQ(w.picture()->animation()->loopsPlayed(), 0);
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("2文字")) << "the step follows the first play";
    EXPECT_EQ(w.cycle().picture(), StudyCycle::Picture::Still);

    // Back on the animation: after its first play a tick steps at once, while
    // the animation goes on looping.
    w.cycle().onStepTimer();
    ASSERT_EQ(f.shownQuestion(), QStringLiteral("1动画"));
    ASSERT_TRUE(waitFor([&] { return w.picture()->animation()->loopsPlayed() >= 1; }));
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("1动画")) << "no step was due";
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("2文字"));
}

TEST(AnimatedPicture, EditorThumbnailLoops) {
    PicturePanel panel;
    panel.resize(200, 150);
    panel.show();
    const QByteArray gif = threeFrames(2);
    panel.showRecord(&panel, QStringLiteral("1"), [&](QString*) { return gif; });
    ASSERT_NE(panel.animation(), nullptr);
    QSet<QRgb> colours;
    QObject::connect(panel.animation(), &AnimatedPicture::frameChanged, [&] {
        const QImage t = panel.thumbnail();
        colours << t.pixel(t.width() / 2, t.height() / 2);
    });
    ASSERT_TRUE(waitFor([&] { return panel.animation()->loopsPlayed() >= 3; }));
    EXPECT_EQ(colours, (QSet<QRgb>{qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 0, 255)}));

    // A still picture taken in its place stops the animation.
    panel.setEditable(true);
    ASSERT_TRUE(panel.takeImage(QImage(30, 20, QImage::Format_RGB32)));
    EXPECT_EQ(panel.animation(), nullptr);
}
