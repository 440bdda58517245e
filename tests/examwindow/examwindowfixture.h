// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>
#include <QTest>
#include <memory>
#include <vector>

#include "platform/widgets/messagebox.h"
#include "questionbank/bankschema.h"
#include "study/learnerprogress.h"
#include "study/mockexam/examsession.h"
#include "study/mockexam/mockexamwindow.h"
#include "tests/support/testenv.h"

// The mock exam's window over a private bank, with a clock the test moves
// and the messages recorded (questions answered by `answer`).
struct ExamWindowFixture {
    TestEnv env;
    std::vector<MessageBox::Shown> messages;
    bool answer = true;
    qint64 clockMs = 0;  // the papers' monotonic clock
    qint64 wallMs = 1'760'000'000'000;
    std::unique_ptr<LearnerProgress> progress;
    std::unique_ptr<MockExamWindow> window;

    // The bank: for each category, `judge` 判断, `single` 单选 and
    // `multiple` 多选 questions, every third single with a picture.
    explicit ExamWindowFixture(int judge = 45, int single = 65, int multiple = 12);
    ~ExamWindowFixture();

    MockExamWindow& open();
    // Closes the window (as the learner does) and forgets it.
    void close();

    ExamSession& session() { return *window->session(); }
    void key(int k) { QTest::keyClick(window.get(), Qt::Key(k)); }
    // Answers the current question of the paper by keys, right or wrong.
    void answerByKeys(bool right);
    void click(const char* name);
    int messagesContaining(const QString& part) const;
    // Rows of word.ocx (question texts).
    QStringList personalRows();
};

// The keys that give `response` to a question of `kind` (1/2 and letters;
// a 多选 ends with Enter). `variant` picks among the equivalent keys.
std::vector<int> keysFor(const QString& kind, const QString& response, int variant);
// A response that is wrong for the question.
QString wrongResponseFor(const ExamQuestion& q);
