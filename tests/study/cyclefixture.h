// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display cycle on its own, under QCoreApplication: records in a list, a
// speech engine that ends when the test says so, and ticks given by hand;
// and the rows of its state x event table, reached and driven by name.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/speech.h"
#include "study/studycycle.h"

namespace cycletest {

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

inline QStringList texts(std::initializer_list<const char*> l) {
    QStringList out;
    for (const char* s : l) out << QString::fromUtf8(s);
    return out;
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

inline void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

inline void reach(Cycle& c, const QString& state) {
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

inline void happen(Cycle& c, const QString& event) {
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

}  // namespace cycletest
