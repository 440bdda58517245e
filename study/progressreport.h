// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "questionbank/progresssummary.h"

class LearnerProgress;

// What the progress window shows: the summary, and a sentence for each part
// that could not be read (the progress store first).
struct ProgressReport {
    ProgressSummary::Summary summary;
    QStringList problems;

    // Reads the banks in folder and Study's progress store at nowMs. A store
    // that failed is told here, so the display does not tell it again.
    static ProgressReport load(LearnerProgress& progress, const QString& folder, qint64 nowMs);
};
