// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class Speech;

// The display cycle: one record of the set after another, one step per tick
// of the step timer, each record read aloud when speech is on. It knows no
// widgets: the window shows what the cycle holds and tells it what happened.
class StudyCycle : public QObject {
    Q_OBJECT
public:
    // The records the cycle steps through; the window owns them.
    class Records {
    public:
        virtual ~Records() = default;
        // 0 when there is no set (none open, or it failed to open).
        virtual int count() const = 0;
        // One record on (+1) or back (-1), round from the last to the first
        // and back; only called when count() is not 0.
        virtual void move(int direction) = 0;
        virtual bool hasCurrent() const = 0;
        virtual int position() const = 0;  // 1 for the first record
        virtual QString question() const = 0;
        virtual QString answer() const = 0;
    };

    // The settings the cycle obeys, read afresh whenever they matter, so a
    // change made while a dialog is open counts from the next step on.
    struct Settings {
        int secondsPerStep = 7;    // ctimeword
        bool speak = false;        // voice is 1
        bool speakAnswer = false;  // isnoSpeak is 1
        bool answerLater = false;  // delayword is 1: the answer half a step later
    };
    using SettingsSource = std::function<Settings()>;
    using SpeechMaker = std::function<std::unique_ptr<Speech>()>;

    // Running or paused as the learner sees it (the pause entry's caption),
    // and whether the step timer runs: a reload starts the timer without
    // changing what the learner chose, so the entry still offers to continue.
    enum class Pace { Running, Paused, ResumedByReload };
    // The speech of the shown record. While it plays, a tick falls due
    // instead of stepping; after a failure the cycle keeps silent until the
    // next reload, so a missing sound device is not complained about per tick.
    enum class Voice { Quiet, Speaking, SpeakingStepDue, Silenced };
    // The shown record's answer with "answer later" on: hidden for half a
    // step; its speech, when wanted, follows the question's.
    enum class Answer { Shown, Hidden, HiddenToSpeak, RevealedToSpeak };
    // The shown record's animation. Its subject may appear only late in the
    // animation, so a tick during its first play falls due instead of
    // stepping, and the step follows when that play ends.
    enum class Picture { Still, FirstLoop, FirstLoopStepDue };

    StudyCycle(Records& records, SettingsSource settings, SpeechMaker speech,
               QObject* parent = nullptr);
    ~StudyCycle() override;

    // At load: the timer starts, a voice is made, `reopen` opens the set and
    // its current record is shown, unspoken.
    void start(const std::function<void()>& reopen);
    // After the settings were read again: `reopen` opens the set again, its
    // first record is shown unspoken, and a full interval runs to the next
    // step. A speech failure is forgotten.
    void reload(const std::function<void()>& reopen);
    // Shows the current record again without speaking it: the set was
    // reopened or replaced under the cycle.
    void showCurrent();

    void onStepTimer();
    void onRevealTimer();
    // A step asked for by the learner: the speech stops, the step runs now
    // and the interval starts again from here.
    void stepByKey(int direction);
    void togglePause();
    // The window started the shown record's animation, and its first play
    // ended (the animation goes on looping; the cycle no longer waits).
    void firstLoopStarted();
    void firstLoopEnded();
    // "Answer later" was switched; switched off, a hidden answer shows now.
    void answerLaterChanged();
    // The shown record's answer is read again (how it is written out
    // changed): its text changes, nothing else.
    void rereadAnswer();
    // Before the process ends: no timer, no speech.
    void stop();

    Pace pace() const { return pace_; }
    Voice voice() const { return voice_; }
    Answer answer() const { return answer_; }
    Picture picture() const { return picture_; }
    bool isRunning() const { return stepTimer_.isActive(); }
    bool isSpeaking() const {
        return voice_ == Voice::Speaking || voice_ == Voice::SpeakingStepDue;
    }
    bool answerHidden() const {
        return answer_ == Answer::Hidden || answer_ == Answer::HiddenToSpeak;
    }
    bool hasRecord() const { return hasRecord_; }
    // The shown record; the answer is empty while it is hidden.
    QString shownQuestion() const { return question_; }
    QString shownAnswer() const { return answerHidden() ? QString() : answerText_; }

    QTimer* stepTimer() { return &stepTimer_; }
    QTimer* revealTimer() { return &revealTimer_; }

signals:
    // Another record (or none) is shown: its picture and its text.
    void recordChanged();
    // The same record's text changed: its answer appeared.
    void textChanged();

private:
    void step(int direction, bool byKey);
    void takeCurrentRecord();
    void renewVoice();
    bool speechAllowed() const;
    void speakShownRecord();
    void speakAnswer();
    void speakTexts(const QStringList& texts, bool stepDue = false);
    void speechEnded(int request, bool played);
    void stopSpeech();

    Records& records_;
    SettingsSource settings_;
    SpeechMaker makeSpeech_;
    std::unique_ptr<Speech> speech_;
    QTimer stepTimer_;
    QTimer revealTimer_;
    Pace pace_ = Pace::Running;
    Voice voice_ = Voice::Quiet;
    Answer answer_ = Answer::Shown;
    Picture picture_ = Picture::Still;
    bool hasRecord_ = false;
    QString question_, answerText_;
    int speechRequest_ = 0;  // tells a late notice of an abandoned request apart
};
