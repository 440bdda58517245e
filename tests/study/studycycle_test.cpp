// SPDX-License-Identifier: GPL-3.0-or-later
// The display cycle on its own, under QCoreApplication: records in a list, a
// speech engine that ends when the test says so, and ticks given by hand.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/speech.h"
#include "study/studycycle.h"

namespace {

using Pace = StudyCycle::Pace;
using Voice = StudyCycle::Voice;
using Answer = StudyCycle::Answer;
using Picture = StudyCycle::Picture;

class ListRecords : public StudyCycle::Records {
public:
    std::vector<std::pair<QString, QString>> rows;
    int at = 0;
    int moves = 0;
    int count() const override { return int(rows.size()); }
    void move(int direction) override {
        ++moves;
        at = (at + direction + count()) % count();
    }
    bool hasCurrent() const override { return at < count(); }
    int position() const override { return at + 1; }
    QString question() const override { return rows[at].first; }
    QString answer() const override { return rows[at].second; }
};

// Every request waits until the test ends it, as a real engine does while
// the sound plays; `refuse` makes the engine turn requests away outright.
struct SpeechLog {
    QStringList spoken;
    int created = 0;
    int cancelled = 0;
    bool refuse = false;
    Speech::Done pending;

    bool finish(bool played = true) {
        if (!pending) return false;
        Speech::Done done = std::move(pending);
        pending = nullptr;
        done(played);
        return true;
    }
};

class HeldSpeech : public Speech {
public:
    explicit HeldSpeech(SpeechLog& log) : log_(log) {}
    QStringList voiceDescriptions() override { return {}; }
    bool selectVoice(int) override { return false; }
    bool speak(const QStringList& texts, Done done) override {
        if (log_.refuse) return false;
        log_.spoken << texts;
        log_.pending = std::move(done);
        return true;
    }
    void cancel() override {
        if (!log_.pending) return;
        ++log_.cancelled;
        log_.pending = nullptr;
    }

private:
    SpeechLog& log_;
};

struct Cycle {
    ListRecords records;
    SpeechLog speech;
    StudyCycle::Settings settings{7, true, false, false};
    int recordsShown = 0;
    int textsChanged = 0;
    std::unique_ptr<StudyCycle> cycle;

    explicit Cycle(int rows = 3) {
        for (int i = 1; i <= rows; ++i)
            records.rows.emplace_back(QStringLiteral("问%1").arg(i), QStringLiteral("答%1").arg(i));
    }
    StudyCycle& start() {
        cycle = std::make_unique<StudyCycle>(
            records, [this] { return settings; },
            [this]() -> std::unique_ptr<Speech> {
                ++speech.created;
                return std::make_unique<HeldSpeech>(speech);
            });
        QObject::connect(cycle.get(), &StudyCycle::recordChanged, [this] { ++recordsShown; });
        QObject::connect(cycle.get(), &StudyCycle::textChanged, [this] { ++textsChanged; });
        cycle->start([] {});
        return *cycle;
    }
};

QStringList texts(std::initializer_list<const char*> l) {
    QStringList out;
    for (const char* s : l) out << QString::fromUtf8(s);
    return out;
}

TEST(StudyCycle, StartShowsTheFirstRecordUnspokenAndRunsTheTimer) {
    Cycle c;
    StudyCycle& s = c.start();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.shownAnswer(), "答1");
    EXPECT_EQ(c.recordsShown, 1);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    EXPECT_EQ(c.speech.created, 1);
    EXPECT_TRUE(s.stepTimer()->isActive());
    EXPECT_EQ(s.stepTimer()->interval(), 7000);
    EXPECT_EQ(s.stepTimer()->objectName(), "Timer6");
    EXPECT_EQ(s.pace(), Pace::Running);
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, TicksGoRoundTheSetAndSpeakEachRecord) {
    Cycle c;
    StudyCycle& s = c.start();
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        s.onStepTimer();
        shown << s.shownQuestion();
        ASSERT_EQ(s.voice(), Voice::Speaking);
        c.speech.finish();
        EXPECT_EQ(s.voice(), Voice::Quiet);
    }
    EXPECT_EQ(shown, texts({"问2", "问3", "问1", "问2"}));
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问3", "问1", "问2"}));
    EXPECT_EQ(c.speech.created, 5) << "a new voice for every spoken step";
}

TEST(StudyCycle, WhatIsSpokenFollowsTheSettings) {
    Cycle c;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "答2"}));
    c.speech.finish();
    c.settings.speak = false;
    s.onStepTimer();
    EXPECT_EQ(s.shownQuestion(), "问3");
    EXPECT_EQ(c.speech.spoken.size(), 2) << "speech off: nothing more is spoken";
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, SpeechOffMakesNoVoiceUntilSpeechIsOn) {
    Cycle c;
    c.settings.speak = false;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.stepByKey(-1);
    s.reload([] {});
    s.onStepTimer();
    EXPECT_EQ(c.speech.created, 0) << "start, ticks, a key step and a reload make none";
    c.settings.speak = true;
    s.onStepTimer();
    EXPECT_EQ(c.speech.created, 1) << "the first spoken step makes the voice";
    EXPECT_EQ(c.speech.spoken, texts({"问3"}));
}

TEST(StudyCycle, AnEmptySetIsNeverMoved) {
    Cycle c(0);
    StudyCycle& s = c.start();
    EXPECT_FALSE(s.hasRecord());
    s.onStepTimer();
    s.stepByKey(-1);
    EXPECT_EQ(c.records.moves, 0);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    EXPECT_EQ(c.recordsShown, 1);
}

TEST(StudyCycle, TicksDuringSpeechWaitForItsEndAndDoNotPileUp) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    s.onStepTimer();
    EXPECT_EQ(s.voice(), Voice::SpeakingStepDue);
    EXPECT_EQ(s.shownQuestion(), "问2") << "the record stays while it is spoken";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3") << "the waiting tick steps at once";
    EXPECT_EQ(s.voice(), Voice::Speaking);
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3") << "only one tick waited";
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, AKeyStepStopsTheSpeechAndStepsAtOnce) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();  // due, but the key comes first
    s.stepByKey(-1);
    EXPECT_EQ(c.speech.cancelled, 1);
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.voice(), Voice::Speaking) << "the new record is spoken, no step waits";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问1");
    s.stepByKey(-1);
    EXPECT_EQ(s.shownQuestion(), "问3") << "back from the first goes round to the last";
}

TEST(StudyCycle, PauseIsTheCyclesOwnAndDropsAWaitingTick) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Paused);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.voice(), Voice::Speaking);
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问2") << "the tick due before the pause is dropped";
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Running);
    EXPECT_TRUE(s.isRunning());
}

TEST(StudyCycle, AReloadRunsAPausedCycleWithoutChangingTheChoice) {
    Cycle c;
    StudyCycle& s = c.start();
    s.togglePause();
    s.reload([] {});
    EXPECT_EQ(s.pace(), Pace::ResumedByReload);
    EXPECT_TRUE(s.isRunning());
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Running) << "the first choice after it only says so";
    EXPECT_TRUE(s.isRunning());
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Paused);
}

TEST(StudyCycle, AReloadShowsTheFirstRecordUnspokenAndLetsTheVoiceFinish) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    c.records.at = 0;  // the reopened set stands on its first record
    c.settings.secondsPerStep = 3;
    s.reload([] {});
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.stepTimer()->interval(), 3000);
    EXPECT_EQ(s.voice(), Voice::Speaking) << "a waiting tick is dropped, the speech goes on";
    EXPECT_EQ(c.speech.created, 2) << "no new voice while one speaks";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
}

TEST(StudyCycle, AFailedSpeechSilencesTheCycleUntilTheNextReload) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    c.speech.finish(false);
    EXPECT_EQ(s.voice(), Voice::Silenced);
    EXPECT_EQ(s.shownQuestion(), "问3") << "the cycle goes on";
    s.onStepTimer();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
    s.reload([] {});
    EXPECT_EQ(s.voice(), Voice::Quiet);
    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问2"}));
}

TEST(StudyCycle, ARefusedRequestCountsAsNotPlayed) {
    Cycle c;
    c.speech.refuse = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    EXPECT_EQ(s.voice(), Voice::Silenced);
    EXPECT_EQ(s.shownQuestion(), "问2");
}

TEST(StudyCycle, AnswerLaterHidesTheAnswerForHalfAStep) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    EXPECT_EQ(s.answer(), Answer::Hidden) << "the first record too";
    EXPECT_EQ(s.shownAnswer(), "");
    EXPECT_EQ(s.revealTimer()->interval(), 3500);
    EXPECT_TRUE(s.revealTimer()->isActive());
    s.onRevealTimer();
    EXPECT_EQ(s.shownAnswer(), "答1");
    EXPECT_EQ(c.textsChanged, 1);
    EXPECT_TRUE(c.speech.spoken.isEmpty()) << "the unspoken first record's answer is not spoken";

    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
    EXPECT_EQ(s.answer(), Answer::HiddenToSpeak);
    s.onRevealTimer();  // while the question is spoken
    EXPECT_EQ(s.answer(), Answer::RevealedToSpeak);
    EXPECT_EQ(s.shownAnswer(), "答2");
    s.onStepTimer();
    c.speech.finish();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "答2"})) << "the answer after the question";
    EXPECT_EQ(s.voice(), Voice::SpeakingStepDue) << "the waiting tick waits for the answer too";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3");

    c.speech.finish();
    s.onRevealTimer();  // the question's speech has ended: the answer is spoken now
    EXPECT_EQ(c.speech.spoken.last(), "答3");
}

TEST(StudyCycle, SwitchingAnswerLaterOffShowsAHiddenAnswerUnspoken) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    c.speech.finish();
    c.settings.answerLater = false;
    s.answerLaterChanged();
    EXPECT_EQ(s.answer(), Answer::Shown);
    EXPECT_EQ(s.shownAnswer(), "答2");
    EXPECT_FALSE(s.revealTimer()->isActive());
    s.onRevealTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
}

TEST(StudyCycle, AKeyStepDropsAnAnswerWaitingToBeSpoken) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onRevealTimer();
    ASSERT_EQ(s.answer(), Answer::RevealedToSpeak);
    s.stepByKey(1);
    EXPECT_EQ(s.answer(), Answer::HiddenToSpeak) << "the new record hides its own answer";
    c.speech.finish();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问3"}));
}

TEST(StudyCycle, ShowingTheCurrentRecordAgainIsUnspoken) {
    Cycle c;
    StudyCycle& s = c.start();
    c.records.rows.erase(c.records.rows.begin());  // the list changed under the cycle
    s.showCurrent();
    EXPECT_EQ(s.shownQuestion(), "问2");
    EXPECT_EQ(c.recordsShown, 2);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    c.records.rows.clear();
    s.showCurrent();
    EXPECT_FALSE(s.hasRecord());
    EXPECT_EQ(s.shownQuestion(), "");
}

TEST(StudyCycle, StopEndsTimersAndSpeech) {
    Cycle c;
    c.settings.answerLater = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.stop();
    EXPECT_FALSE(s.stepTimer()->isActive());
    EXPECT_FALSE(s.revealTimer()->isActive());
    EXPECT_EQ(c.speech.cancelled, 1);
    EXPECT_EQ(s.voice(), Voice::Quiet);
    EXPECT_FALSE(c.speech.finish()) << "nothing is left to end";
}

// Each row: a state reached from the start, one event, and what follows. The
// set has three records and starts on the first; answers are spoken.
struct Row {
    const char* name;
    const char* state;  // how the state is reached
    const char* event;
    Pace pace;
    Voice voice;
    Answer answer;
    const char* shown;
    QStringList spoken;  // the requests the event made
    Picture picture = Picture::Still;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

void reach(Cycle& c, const QString& state) {
    StudyCycle& s = *c.cycle;
    for (const QString& step : state.split(' ', Qt::SkipEmptyParts)) {
        if (step == "tick") s.onStepTimer();
        if (step == "played") c.speech.finish(true);
        if (step == "failed") c.speech.finish(false);
        if (step == "pause") s.togglePause();
        if (step == "reveal") s.onRevealTimer();
        if (step == "reload") s.reload([] {});
        if (step == "later") c.settings.answerLater = true;
        if (step == "playing") s.firstLoopStarted();
        if (step == "loopEnded") s.firstLoopEnded();
    }
}

void happen(Cycle& c, const QString& event) {
    StudyCycle& s = *c.cycle;
    if (event == "tick") s.onStepTimer();
    if (event == "key+1") s.stepByKey(1);
    if (event == "key-1") s.stepByKey(-1);
    if (event == "pause") s.togglePause();
    if (event == "played") c.speech.finish(true);
    if (event == "failed") c.speech.finish(false);
    if (event == "reveal") s.onRevealTimer();
    if (event == "reload") s.reload([&c] { c.records.at = 0; });
    if (event == "loopEnded") s.firstLoopEnded();
    if (event == "listChanged") {
        c.records.rows.erase(c.records.rows.begin() + c.records.at);
        s.showCurrent();
    }
}

class StudyCycleTable : public ::testing::TestWithParam<Row> {};

TEST_P(StudyCycleTable, EventLeadsToState) {
    const Row& r = GetParam();
    Cycle c;
    c.settings.speakAnswer = true;
    c.start();
    reach(c, QString::fromLatin1(r.state));
    const qsizetype before = c.speech.spoken.size();
    happen(c, QString::fromLatin1(r.event));
    StudyCycle& s = *c.cycle;
    EXPECT_EQ(s.pace(), r.pace);
    EXPECT_EQ(s.voice(), r.voice);
    EXPECT_EQ(s.answer(), r.answer);
    EXPECT_EQ(s.shownQuestion(), QString::fromUtf8(r.shown));
    EXPECT_EQ(c.speech.spoken.mid(before), r.spoken);
    EXPECT_EQ(s.picture(), r.picture);
}

const QStringList none;
const Row kRows[] = {
    {"QuietTick", "", "tick", Pace::Running, Voice::Speaking, Answer::Shown, "问2",
     texts({"问2", "答2"})},
    {"QuietKeyBack", "", "key-1", Pace::Running, Voice::Speaking, Answer::Shown, "问3",
     texts({"问3", "答3"})},
    {"QuietPause", "", "pause", Pace::Paused, Voice::Quiet, Answer::Shown, "问1", none},
    {"QuietReload", "tick played tick played", "reload", Pace::Running, Voice::Quiet, Answer::Shown,
     "问1", none},
    {"QuietListChanged", "", "listChanged", Pace::Running, Voice::Quiet, Answer::Shown, "问2",
     none},
    {"SpeakingTick", "tick", "tick", Pace::Running, Voice::SpeakingStepDue, Answer::Shown, "问2",
     none},
    {"SpeakingKey", "tick", "key+1", Pace::Running, Voice::Speaking, Answer::Shown, "问3",
     texts({"问3", "答3"})},
    {"SpeakingPlayed", "tick", "played", Pace::Running, Voice::Quiet, Answer::Shown, "问2", none},
    {"SpeakingFailed", "tick", "failed", Pace::Running, Voice::Silenced, Answer::Shown, "问2",
     none},
    {"SpeakingPause", "tick", "pause", Pace::Paused, Voice::Speaking, Answer::Shown, "问2", none},
    {"SpeakingReload", "tick", "reload", Pace::Running, Voice::Speaking, Answer::Shown, "问1",
     none},
    {"StepDueTick", "tick tick", "tick", Pace::Running, Voice::SpeakingStepDue, Answer::Shown,
     "问2", none},
    {"StepDuePlayed", "tick tick", "played", Pace::Running, Voice::Speaking, Answer::Shown, "问3",
     texts({"问3", "答3"})},
    {"StepDueFailed", "tick tick", "failed", Pace::Running, Voice::Silenced, Answer::Shown, "问3",
     none},
    {"StepDueKey", "tick tick", "key+1", Pace::Running, Voice::Speaking, Answer::Shown, "问3",
     texts({"问3", "答3"})},
    {"StepDuePause", "tick tick", "pause", Pace::Paused, Voice::Speaking, Answer::Shown, "问2",
     none},
    {"StepDueReload", "tick tick", "reload", Pace::Running, Voice::Speaking, Answer::Shown, "问1",
     none},
    {"SilencedTick", "tick failed", "tick", Pace::Running, Voice::Silenced, Answer::Shown, "问3",
     none},
    {"SilencedReload", "tick failed", "reload", Pace::Running, Voice::Quiet, Answer::Shown, "问1",
     none},
    {"PausedPause", "pause", "pause", Pace::Running, Voice::Quiet, Answer::Shown, "问1", none},
    {"PausedKey", "pause", "key+1", Pace::Paused, Voice::Speaking, Answer::Shown, "问2",
     texts({"问2", "答2"})},
    {"PausedReload", "pause", "reload", Pace::ResumedByReload, Voice::Quiet, Answer::Shown, "问1",
     none},
    {"ResumedPause", "pause reload", "pause", Pace::Running, Voice::Quiet, Answer::Shown, "问1",
     none},
    {"HiddenReveal", "later reload", "reveal", Pace::Running, Voice::Quiet, Answer::Shown, "问1",
     none},
    {"HiddenTick", "later", "tick", Pace::Running, Voice::Speaking, Answer::HiddenToSpeak, "问2",
     texts({"问2"})},
    {"HiddenToSpeakReveal", "later tick", "reveal", Pace::Running, Voice::Speaking,
     Answer::RevealedToSpeak, "问2", none},
    {"HiddenToSpeakPlayed", "later tick", "played", Pace::Running, Voice::Quiet,
     Answer::HiddenToSpeak, "问2", none},
    {"HiddenToSpeakRevealAfterSpeech", "later tick played", "reveal", Pace::Running,
     Voice::Speaking, Answer::Shown, "问2", texts({"答2"})},
    {"RevealedToSpeakPlayed", "later tick reveal", "played", Pace::Running, Voice::Speaking,
     Answer::Shown, "问2", texts({"答2"})},
    {"RevealedToSpeakFailed", "later tick reveal", "failed", Pace::Running, Voice::Silenced,
     Answer::Shown, "问2", none},
    {"RevealedToSpeakKey", "later tick reveal", "key+1", Pace::Running, Voice::Speaking,
     Answer::HiddenToSpeak, "问3", texts({"问3"})},
    {"RevealedToSpeakStepDuePlayed", "later tick reveal tick", "played", Pace::Running,
     Voice::SpeakingStepDue, Answer::Shown, "问2", texts({"答2"})},
    // "playing": the shown record's animation is in its first play.
    {"PlayingTick", "playing", "tick", Pace::Running, Voice::Quiet, Answer::Shown, "问1", none,
     Picture::FirstLoopStepDue},
    {"PlayingLoopEnded", "playing", "loopEnded", Pace::Running, Voice::Quiet, Answer::Shown, "问1",
     none},
    {"PlayingKey", "playing", "key+1", Pace::Running, Voice::Speaking, Answer::Shown, "问2",
     texts({"问2", "答2"})},
    {"PlayingStepDueTick", "playing tick", "tick", Pace::Running, Voice::Quiet, Answer::Shown,
     "问1", none, Picture::FirstLoopStepDue},
    {"PlayingStepDueLoopEnded", "playing tick", "loopEnded", Pace::Running, Voice::Speaking,
     Answer::Shown, "问2", texts({"问2", "答2"})},
    {"PlayingStepDueKey", "playing tick", "key+1", Pace::Running, Voice::Speaking, Answer::Shown,
     "问2", texts({"问2", "答2"})},
    {"PlayingStepDuePause", "playing tick", "pause", Pace::Paused, Voice::Quiet, Answer::Shown,
     "问1", none, Picture::FirstLoop},
    {"PlayingStepDueReload", "playing tick", "reload", Pace::Running, Voice::Quiet, Answer::Shown,
     "问1", none},
    {"PlayingPausedLoopEnded", "playing tick pause", "loopEnded", Pace::Paused, Voice::Quiet,
     Answer::Shown, "问1", none},
    {"SpeakingPlayingStepDuePlayed", "tick playing tick", "played", Pace::Running, Voice::Quiet,
     Answer::Shown, "问2", none, Picture::FirstLoopStepDue},
    {"SpeakingStepDueLoopEndedPlayed", "tick playing tick loopEnded", "played", Pace::Running,
     Voice::Speaking, Answer::Shown, "问3", texts({"问3", "答3"})},
    {"PlayingStepDueLoopEndedDuringAnswer", "later tick played playing tick reveal", "loopEnded",
     Pace::Running, Voice::SpeakingStepDue, Answer::Shown, "问2", none},
};

INSTANTIATE_TEST_SUITE_P(States, StudyCycleTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
