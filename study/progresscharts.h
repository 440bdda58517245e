// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "questionbank/progresssummary.h"

class QChart;

// The progress window's charts, each built afresh from the summary; the
// chart view that shows one takes it over.
namespace ProgressCharts {

// Reviews per day as bars, one per day of the summary.
QChart* reviewsPerDay(const std::vector<ProgressSummary::Day>& days);
// The bank's mean predicted recall at each day's end, in percent.
QChart* meanRecall(const std::vector<ProgressSummary::Day>& days);
// Each paper's score over time, with the pass line; papers must not be empty.
QChart* paperScores(const std::vector<ProgressStore::Paper>& papers);

}  // namespace ProgressCharts
