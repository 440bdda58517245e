// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/examlog.h"

Q_LOGGING_CATEGORY(lcExam, "study.exam", QtWarningMsg)
