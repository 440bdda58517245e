// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>
#include <memory>
#include <vector>

#include <QLabel>

#include "platform/settingsstore.h"
#include "platform/speech.h"
#include "platform/widgets/messagebox.h"
#include "study/questionwindow.h"
#include "tests/support/testenv.h"

// A speech engine that records what it is asked to do. With `hold` set it
// finishes only when the test says so, as a real engine does while the sound
// plays.
struct SpeechLog {
    QStringList spoken;
    QList<int> selected;
    int created = 0;
    int cancelled = 0;
    bool hold = false;
    Speech::Done pending;
    const void* pendingOwner = nullptr;

    // Ends the speech in progress; false when none is.
    bool finish(bool played = true) {
        if (!pending) return false;
        Speech::Done done = std::move(pending);
        pending = nullptr;
        pendingOwner = nullptr;
        done(played);
        return true;
    }
};

class RecordingSpeech : public Speech {
public:
    RecordingSpeech(SpeechLog& log, QStringList voices) : log_(log), voices_(std::move(voices)) {}
    QStringList voiceDescriptions() override { return voices_; }
    bool selectVoice(int p) override {
        log_.selected << p;
        return true;
    }
    bool speak(const QStringList& texts, Done done) override {
        log_.spoken << texts;
        if (log_.hold) {
            log_.pending = std::move(done);
            log_.pendingOwner = this;
        } else {
            done(true);
        }
        return true;
    }
    void cancel() override {
        if (log_.pendingOwner != this) return;
        ++log_.cancelled;
        log_.pending = nullptr;
        log_.pendingOwner = nullptr;
    }
    ~RecordingSpeech() override { cancel(); }

private:
    SpeechLog& log_;
    QStringList voices_;
};

// Study's main window over a private program folder and settings file.
struct StudyFixture {
    TestEnv env;
    SpeechLog speech;
    QStringList voices{QStringLiteral("English"), QStringLiteral("Microsoft Simplified Chinese")};
    std::vector<MessageBox::Shown> messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<QuestionWindow> frm;
    int terminated = 0;

    StudyFixture() {
        MessageBox::setHook([this](const MessageBox::Shown& s) { messages.push_back(s); });
    }
    ~StudyFixture() { MessageBox::setHook({}); }

    // Settings written before the start, on top of the first-run values.
    void settings(std::initializer_list<std::pair<const char*, const char*>> values) {
        SettingsStore s;
        s.write(QStringLiteral("xxx"), QStringLiteral("1"));
        for (const auto& [k, v] : values) s.write(QLatin1String(k), QLatin1String(v));
    }

    QuestionWindow& start() {
        store = std::make_unique<SettingsStore>();
        frm = std::make_unique<QuestionWindow>(*store, [this]() -> std::unique_ptr<Speech> {
            ++speech.created;
            return std::make_unique<RecordingSpeech>(speech, voices);
        });
        frm->setTerminator([this] { ++terminated; });
        frm->load();
        frm->show();
        return *frm;
    }

    QString shownQuestion() const {
        const QString text = frm->LB()->text();
        // Two blanks before the marker, or a line break (exam-form questions).
        const int at = text.indexOf(QStringLiteral("(后面为答案）"));
        return at < 0 ? text : text.left(text[at - 1] == QLatin1Char('\n') ? at - 1 : at - 2);
    }
};

inline std::vector<BankSchema::Question> threeQuestions(
    const QString& category = QStringLiteral("交通安全法律")) {
    return {{category, QStringLiteral("问题1"), QStringLiteral("答案1")},
            {category, QStringLiteral("问题2"), QStringLiteral("答案2")},
            {category, QStringLiteral("问题3"), QStringLiteral("答案3")}};
}
