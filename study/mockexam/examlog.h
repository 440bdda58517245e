// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLoggingCategory>

// The mock exam and practice (off by default; QT_LOGGING_RULES="study.exam=true"):
// each paper drawn, each response and move, submission and its score, each
// save of the running paper and every store fault. End-to-end tests read it.
Q_DECLARE_LOGGING_CATEGORY(lcExam)
