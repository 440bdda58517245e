// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/learnerprogress.h"

LearnerProgress::LearnerProgress(FolderSource folder, RetentionSource retention)
    : folder_(std::move(folder)), retention_(std::move(retention)) {}

LearnerProgress::~LearnerProgress() = default;

ProgressStore* LearnerProgress::store() {
    if (!tried_) {
        tried_ = true;
        QString reason;
        store_ = ProgressStore::open(folder_(), Fsrs(retention_()), nullptr, &reason);
        if (!store_) failure_ = reason;
    }
    if (!store_) return nullptr;
    if (store_->fault() != ProgressStore::Fault::None) {
        if (failure_.isEmpty()) failure_ = store_->failure();
        return nullptr;
    }
    const double retention = retention_();
    if (store_->scheduler().targetRetention() != Fsrs(retention).targetRetention())
        store_->setScheduler(Fsrs(retention));
    return store_.get();
}

bool LearnerProgress::failed() {
    return store() == nullptr;
}

QString LearnerProgress::failure() {
    return failed() ? failure_ : QString();
}

QString LearnerProgress::takeUntoldFault() {
    if (!failed() || told_) return {};
    told_ = true;
    return failure_;
}
