// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examkeeper.h"

ExamKeeper::ExamKeeper(StoreSource store, QObject* parent)
    : QObject(parent), store_(std::move(store)) {}

void ExamKeeper::follow(ExamSession* session) {
    session_ = session;
}  // stub
bool ExamKeeper::saveNow() {
    return false;
}  // stub
std::optional<ProgressStore::RunningPaper> ExamKeeper::pending() {
    return std::nullopt;
}  // stub
bool ExamKeeper::discard() {
    return false;
}  // stub

std::optional<std::pair<DrawnPaper, ExamSession::Resume>> ExamKeeper::rebuild(
    const ProgressStore::RunningPaper&, const std::vector<ExamQuestion>&, QString*) {
    return std::nullopt;  // stub
}

ProgressStore* ExamKeeper::usableStore() {
    return nullptr;
}  // stub
void ExamKeeper::onSubmitted(const ExamResult&) {}  // stub
void ExamKeeper::onTick() {}                        // stub
