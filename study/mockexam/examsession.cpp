// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examsession.h"

ExamSession::ExamSession(DrawnPaper paper, Clock clock, std::optional<Resume>, QObject* parent)
    : QObject(parent), paper_(std::move(paper)), clock_(std::move(clock)) {
    for (size_t i = 0; i < paper_.questions.size(); ++i) responses_ << QString();
    remainingAtStart_ = paper_.durationMs;
}

bool ExamSession::next() {
    return false;
}  // stub
bool ExamSession::previous() {
    return false;
}  // stub
bool ExamSession::jump(int) {
    return false;
}  // stub
bool ExamSession::answer(const QString&) {
    return false;
}  // stub
bool ExamSession::toggleLetter(int) {
    return false;
}  // stub
int ExamSession::answeredCount() const {
    return 0;
}  // stub
std::vector<int> ExamSession::unanswered() const {
    return {};
}  // stub
qint64 ExamSession::remainingMs() const {
    return remainingAtStart_;
}  // stub
bool ExamSession::submit() {
    return false;
}  // stub
ExamSession::Resume ExamSession::state() const {
    return {};
}  // stub
void ExamSession::checkTime() {}                 // stub
void ExamSession::finish(ExamResult::Ending) {}  // stub
