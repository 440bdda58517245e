// SPDX-License-Identifier: GPL-3.0-or-later
// The display cycle's state x event table: each row a state reached from the
// start, one event, and what follows.
#include "tests/study/cyclefixture.h"

using namespace cycletest;

namespace {

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
