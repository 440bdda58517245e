// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examsession.h"

#include <QElapsedTimer>
#include <memory>

#include "study/mockexam/examlog.h"

namespace {
// Often enough that the shown seconds never lag by a visible step.
constexpr int kTickMs = 250;

ExamSession::Clock steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}
}  // namespace

ExamSession::ExamSession(DrawnPaper paper, Clock clock, std::optional<Resume> resume,
                         QObject* parent)
    : QObject(parent),
      paper_(std::move(paper)),
      clock_(clock ? std::move(clock) : steadyClock()),
      remainingAtStart_(paper_.durationMs) {
    for (int i = 0; i < count(); ++i) responses_ << QString();
    if (resume) {
        if (resume->responses.size() == count()) responses_ = resume->responses;
        current_ = std::clamp(resume->current, 0, std::max(0, count() - 1));
        remainingAtStart_ = std::clamp<qint64>(resume->remainingMs, 0, paper_.durationMs);
    }
    startMs_ = clock_();
    connect(&timer_, &QTimer::timeout, this, &ExamSession::checkTime);
    timer_.start(kTickMs);
    qCInfo(lcExam).noquote() << "paper" << paper_.name() << "started with"
                             << remainingAtStart_ / 1000 << "s";
}

bool ExamSession::open() {
    if (result_) return false;
    if (timeIsUp()) {
        finish(ExamResult::Ending::TimeUp);
        return false;
    }
    return true;
}

bool ExamSession::jump(int index) {
    if (!open() || index < 0 || index >= count() || index == current_) return false;
    current_ = index;
    qCInfo(lcExam).noquote() << "question" << index + 1 << "of" << count();
    emit changed();
    return true;
}

bool ExamSession::next() {
    return jump(current_ + 1);
}

bool ExamSession::previous() {
    return jump(current_ - 1);
}

bool ExamSession::answer(const QString& response) {
    if (!open() || count() == 0) return false;
    const QString given = currentQuestion().normalisedResponse(response);
    if (given == responses_[current_]) return false;
    responses_[current_] = given;
    qCInfo(lcExam).noquote() << "response" << current_ + 1 << (given.isEmpty() ? "-" : given);
    emit changed();
    return true;
}

bool ExamSession::toggleLetter(int option) {
    if (count() == 0 || option < 0 || option > 3) return false;
    const ExamQuestion& q = currentQuestion();
    if (q.isJudge() || q.options[size_t(option)].isEmpty()) return false;
    const QChar letter(u'A' + option);
    if (!q.isMultiple()) return answer(letter);
    QString letters = responses_[current_];
    if (letters.contains(letter))
        letters.remove(letter);
    else
        letters += letter;
    return answer(letters);
}

int ExamSession::answeredCount() const {
    int n = 0;
    for (const QString& r : responses_)
        if (!r.isEmpty()) ++n;
    return n;
}

std::vector<int> ExamSession::unanswered() const {
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (responses_[i].isEmpty()) out.push_back(i);
    return out;
}

qint64 ExamSession::remainingMs() const {
    if (frozenRemaining_ >= 0) return frozenRemaining_;
    return std::max<qint64>(0, remainingAtStart_ - (clock_() - startMs_));
}

bool ExamSession::submit() {
    if (result_) return false;
    finish(timeIsUp() ? ExamResult::Ending::TimeUp : ExamResult::Ending::ByLearner);
    return true;
}

ExamSession::Resume ExamSession::state() const {
    return {responses_, current_, remainingMs()};
}

void ExamSession::checkTime() {
    if (result_) return;
    const qint64 left = remainingMs();
    emit tick(left);
    if (left <= 0) finish(ExamResult::Ending::TimeUp);
}

void ExamSession::finish(ExamResult::Ending ending) {
    frozenRemaining_ = remainingMs();
    timer_.stop();
    result_ = ExamResult::of(paper_, responses_, usedMs(), ending);
    qCInfo(lcExam).noquote() << "submitted" << paper_.name()
                             << (ending == ExamResult::Ending::TimeUp ? "time up" : "by learner")
                             << "score" << result_->score << (result_->passed ? "pass" : "fail");
    emit submitted(*result_);
}
