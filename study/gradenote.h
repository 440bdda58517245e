// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QtGlobal>

#include "questionbank/fsrs.h"

// What the display tells the learner after a grade: the grade's name and
// when the question comes again, "记得 · 下次：3 天后".
namespace GradeNote {

// 忘了, 模糊, 记得, 简单: keys 1 to 4.
QString name(Fsrs::Grade grade);
// A time from now in the largest unit that suits it: minutes under an hour,
// hours under a day, days under a month, months under a year, then years.
QString after(qint64 ms);
QString text(Fsrs::Grade grade, qint64 intervalMs);

}  // namespace GradeNote
