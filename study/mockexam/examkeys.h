// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a key means while a question is answered, in the exam and in
// practice alike: an option by its letter or number (a judgement by 1/2 or
// Y/N, 1 and Y being 正确), the confirmation of a 多选 (Enter), a move, or a
// look at the picture at its own size. Plain keys only: the window passes
// keys with Ctrl, Alt or Meta on.
namespace ExamKeys {

enum class Action { None, Option, Confirm, Next, Previous, Zoom };

struct Meaning {
    Action action = Action::None;
    int option = -1;  // 0..3 for Action::Option (a judgement: 0 正确, 1 错误)
};

// `key` is a Qt::Key; `judge`: the shown question is a 判断题, which has two
// options and takes Y/N, but no C/D.
Meaning of(int key, bool judge);

}  // namespace ExamKeys
