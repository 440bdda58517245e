// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "questionbank/progressstore.h"

// The learner's progress store as Study uses it, one for the whole program:
// the display's grades, the progress window and the mock exam all go through
// it. progress.db is opened (and created) on first use, so a learner who
// never grades never gets the file. After a fault, at opening or at any
// write, nothing more is tried until the next start, and the reason is told
// once.
class LearnerProgress {
public:
    using FolderSource = std::function<QString()>;
    using RetentionSource = std::function<double()>;

    // folder: where word.ocx lives, asked at the first use. retention: the
    // target recall the scheduler aims for, asked at every use.
    LearnerProgress(FolderSource folder, RetentionSource retention);
    ~LearnerProgress();

    // The open store; null when it could not be opened or has failed since.
    ProgressStore* store();
    // Whether the store failed (at opening or later).
    bool failed();
    // The reason for the failure, every time it is asked (empty while all is
    // well), for a window that shows it as long as it lasts.
    QString failure();
    // The reason for the failure, the first time it is asked; empty after
    // that, and while all is well.
    QString takeUntoldFault();

private:
    FolderSource folder_;
    RetentionSource retention_;
    std::unique_ptr<ProgressStore> store_;
    bool tried_ = false;
    QString failure_;
    bool told_ = false;
};
