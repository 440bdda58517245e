// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/practicesession.h"

std::vector<ExamQuestion> PracticeSession::ofCategory(const std::vector<ExamQuestion>& all,
                                                      const QString&) {
    return all;  // stub
}

PracticeSession::PracticeSession(std::vector<ExamQuestion> questions, Order, StoreSource store,
                                 std::optional<quint32>, Clock clock)
    : questions_(std::move(questions)), store_(std::move(store)), clock_(std::move(clock)) {}

std::optional<PracticeSession::Feedback> PracticeSession::answer(const QString&) {
    return std::nullopt;  // stub
}
void PracticeSession::next() {}      // stub
void PracticeSession::previous() {}  // stub
