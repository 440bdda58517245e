// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examkeys.h"

#include <Qt>

namespace ExamKeys {

namespace {
Meaning option(int i) {
    return {Action::Option, i};
}

// Letters and digits name the same option; a judgement has only two.
int optionOf(int key, bool judge) {
    int i = -1;
    if (key >= Qt::Key_A && key <= Qt::Key_D) i = key - Qt::Key_A;
    if (key >= Qt::Key_1 && key <= Qt::Key_4) i = key - Qt::Key_1;
    if (judge && key == Qt::Key_Y) i = 0;
    if (judge && key == Qt::Key_N) i = 1;
    return judge && i > 1 ? -1 : i;
}
}  // namespace

Meaning of(int key, bool judge) {
    const int i = optionOf(key, judge);
    if (i >= 0) return option(i);
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {Action::Confirm, -1};
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            return {Action::Next, -1};
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            return {Action::Previous, -1};
        case Qt::Key_Z:
            return {Action::Zoom, -1};
        default:
            return {};
    }
}

}  // namespace ExamKeys
