// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/progressreport.h"

#include "questionbank/progressinput.h"
#include "study/learnerprogress.h"

ProgressReport ProgressReport::load(LearnerProgress& progress, const QString& folder,
                                    qint64 nowMs) {
    ProgressStore* store = progress.store();
    ProgressInput::Gathered g = ProgressInput::gather(folder, store, nowMs);
    // A read that failed just now leaves the store failed: its reason is
    // among the problems already.
    if (!store) {
        g.problems.prepend(progress.failure());
        progress.takeUntoldFault();
    } else if (progress.failed()) {
        progress.takeUntoldFault();
    }
    const Fsrs scheduler = store ? store->scheduler() : Fsrs();
    return {ProgressSummary::summarise(g.input, scheduler), g.problems};
}
