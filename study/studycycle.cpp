// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/studycycle.h"

#include <QStringList>
#include <utility>

#include "platform/logging.h"
#include "platform/speech.h"
#include "study/voiceselection.h"

StudyCycle::StudyCycle(Records& records, SettingsSource settings, SpeechMaker speech,
                       QObject* parent)
    : QObject(parent),
      records_(records),
      settings_(std::move(settings)),
      makeSpeech_(std::move(speech)) {
    stepTimer_.setObjectName(QStringLiteral("Timer6"));
    connect(&stepTimer_, &QTimer::timeout, this, &StudyCycle::onStepTimer);
    revealTimer_.setSingleShot(true);
    connect(&revealTimer_, &QTimer::timeout, this, &StudyCycle::onRevealTimer);
}

StudyCycle::~StudyCycle() = default;

void StudyCycle::start(const std::function<void()>& reopen) {
    stepTimer_.setInterval(settings_().secondsPerStep * 1000);
    stepTimer_.start();
    renewVoice();
    if (reopen) reopen();
    showCurrent();
}

void StudyCycle::reload(const std::function<void()>& reopen) {
    stepTimer_.setInterval(settings_().secondsPerStep * 1000);
    if (reopen) reopen();
    showCurrent();
    stepTimer_.start();
    if (pace_ == Pace::Paused) pace_ = Pace::ResumedByReload;
    if (voice_ == Voice::SpeakingStepDue) voice_ = Voice::Speaking;
    if (voice_ == Voice::Silenced) voice_ = Voice::Quiet;
    // A voice still speaking the previous record is left to finish: the
    // engine changes no voice while it speaks, and the next spoken step
    // renews the voice anyway.
    if (!isSpeaking()) renewVoice();
}

void StudyCycle::showCurrent() {
    hasRecord_ = records_.hasCurrent();
    question_ = hasRecord_ ? records_.question() : QString();
    answerText_ = hasRecord_ ? records_.answer() : QString();
    // Every record starts its own step: a reveal or an answer's speech left
    // from the previous one no longer applies.
    revealTimer_.stop();
    picture_ = Picture::Still;  // the window tells whether this one plays
    answer_ = hasRecord_ && settings_().answerLater ? Answer::Hidden : Answer::Shown;
    if (answerHidden()) revealTimer_.start(settings_().secondsPerStep * 500);
    if (hasRecord_)
        qCInfo(lcDisplay).noquote()
            << "record" << records_.position() << "of" << records_.count() << ":" << question_;
    else
        qCInfo(lcDisplay) << "no record to show";
    emit recordChanged();
}

void StudyCycle::onStepTimer() {
    // Ticks do not pile up behind the speech: one waits for its end.
    if (isSpeaking()) {
        voice_ = Voice::SpeakingStepDue;
        return;
    }
    if (picture_ != Picture::Still) {
        picture_ = Picture::FirstLoopStepDue;
        return;
    }
    step(1, false);
}

void StudyCycle::firstLoopStarted() {
    // Started again (fitted to a new size), it keeps a step already due.
    if (hasRecord_ && picture_ == Picture::Still) picture_ = Picture::FirstLoop;
}

void StudyCycle::firstLoopEnded() {
    const bool stepDue = picture_ == Picture::FirstLoopStepDue;
    picture_ = Picture::Still;
    if (!stepDue) return;
    qCInfo(lcDisplay) << "first play of the animation ended: the step due follows";
    // The speech of an answer shown meanwhile still holds the step.
    if (isSpeaking()) {
        voice_ = Voice::SpeakingStepDue;
        return;
    }
    step(1, false);
}

void StudyCycle::stepByKey(int direction) {
    qCInfo(lcDisplay) << "step by key" << direction;
    // A learner who steps on does not want the old record read to its end:
    // each press is one step.
    if (isSpeaking()) stopSpeech();
    step(direction, true);
}

void StudyCycle::step(int direction, bool byKey) {
    if (records_.count() == 0) return;  // nothing to show: the display stays empty
    if (byKey && stepTimer_.isActive()) stepTimer_.start();
    records_.move(direction);
    showCurrent();
    // From here on nothing may stop the cycle: speech failures are ignored.
    if (!speechAllowed()) return;
    renewVoice();
    if (speech_) speakShownRecord();
}

void StudyCycle::renewVoice() {
    // With speech off no voice is made, so the speech engine is not even
    // started until speech is first needed.
    speech_ = makeSpeech_ && settings_().speak ? makeSpeech_() : nullptr;
    if (speech_) selectChineseVoice(*speech_);
}

bool StudyCycle::speechAllowed() const {
    return settings_().speak && voice_ != Voice::Silenced;
}

void StudyCycle::speakShownRecord() {
    // The marker between question and answer is never spoken; a hidden
    // answer is spoken when it is shown.
    QStringList texts{question_};
    if (settings_().speakAnswer) {
        if (!answerHidden())
            texts << answerText_;
        else if (!answerText_.isEmpty())
            answer_ = Answer::HiddenToSpeak;
    }
    speakTexts(texts);
}

void StudyCycle::onRevealTimer() {
    if (!answerHidden()) return;
    const bool toSpeak = answer_ == Answer::HiddenToSpeak;
    answer_ = Answer::Shown;
    qCInfo(lcDisplay) << "answer shown";
    emit textChanged();
    if (!toSpeak) return;
    // The question is still being spoken: the answer follows it.
    if (isSpeaking()) {
        answer_ = Answer::RevealedToSpeak;
        return;
    }
    if (speechAllowed() && speech_) speakTexts({answerText_});
}

void StudyCycle::speakTexts(const QStringList& texts, bool stepDue) {
    for (const QString& t : texts) qCInfo(lcSpeech).noquote() << "speak" << t;
    const int request = ++speechRequest_;
    voice_ = stepDue ? Voice::SpeakingStepDue : Voice::Speaking;
    const bool started =
        speech_->speak(texts, [this, request](bool played) { speechEnded(request, played); });
    if (!started) speechEnded(request, false);
}

void StudyCycle::stopSpeech() {
    if (isSpeaking()) {
        if (speech_) speech_->cancel();
        voice_ = Voice::Quiet;
    }
    ++speechRequest_;  // a late notice of the stopped request is ignored
    if (answer_ == Answer::RevealedToSpeak) answer_ = Answer::Shown;
}

void StudyCycle::speechEnded(int request, bool played) {
    if (request != speechRequest_ || !isSpeaking()) return;
    const bool stepDue = voice_ == Voice::SpeakingStepDue;
    if (played) {
        voice_ = Voice::Quiet;
        qCInfo(lcSpeech) << "spoken";
    } else {
        voice_ = Voice::Silenced;
        qCInfo(lcSpeech) << "speech failed (no sound device?); silent until the next reload";
    }
    if (answer_ == Answer::RevealedToSpeak) {
        answer_ = Answer::Shown;
        // A step due meanwhile waits for the answer too.
        if (speechAllowed() && speech_) {
            speakTexts({answerText_}, stepDue);
            return;
        }
    }
    if (!stepDue) return;
    // The animation's first play still holds the step.
    if (picture_ != Picture::Still) {
        picture_ = Picture::FirstLoopStepDue;
        return;
    }
    step(1, false);
}

void StudyCycle::togglePause() {
    if (pace_ != Pace::Running) {
        pace_ = Pace::Running;
        // After a reload the cycle already runs: restarting it would put the
        // next step a full interval after the choice.
        if (!stepTimer_.isActive()) stepTimer_.start();
    } else {
        stepTimer_.stop();
        // A stopped timer has no tick due.
        if (voice_ == Voice::SpeakingStepDue) voice_ = Voice::Speaking;
        if (picture_ == Picture::FirstLoopStepDue) picture_ = Picture::FirstLoop;
        pace_ = Pace::Paused;
    }
}

void StudyCycle::answerLaterChanged() {
    if (settings_().answerLater || !answerHidden()) return;
    // Switched off while an answer waits: it is shown now, unspoken.
    revealTimer_.stop();
    answer_ = Answer::Shown;
    emit textChanged();
}

void StudyCycle::rereadAnswer() {
    if (!hasRecord_ || !records_.hasCurrent()) return;
    answerText_ = records_.answer();
    emit textChanged();
}

void StudyCycle::stop() {
    stepTimer_.stop();
    revealTimer_.stop();
    stopSpeech();
}
