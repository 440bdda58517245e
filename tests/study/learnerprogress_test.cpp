// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "study/learnerprogress.h"

namespace {

struct Folder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString file() const { return dir.filePath(QLatin1String(ProgressStore::kFileName)); }
};

}  // namespace

TEST(LearnerProgress, OpensOnlyWhenFirstUsedAndFollowsTheRetentionSetting) {
    Folder f;
    double retention = 0.9;
    LearnerProgress progress([&] { return f.path(); }, [&] { return retention; });
    EXPECT_FALSE(QFile::exists(f.file())) << "a start that never grades makes no file";

    ProgressStore* store = progress.store();
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(QFile::exists(f.file()));
    EXPECT_DOUBLE_EQ(store->scheduler().targetRetention(), 0.9);
    EXPECT_TRUE(progress.takeUntoldFault().isEmpty());

    retention = 0.85;
    EXPECT_EQ(progress.store(), store) << "one store for the whole program";
    EXPECT_DOUBLE_EQ(store->scheduler().targetRetention(), 0.85);
}

TEST(LearnerProgress, ADamagedFileIsToldOnceAndNeverTouched) {
    Folder f;
    {
        QFile junk(f.file());
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    LearnerProgress progress([&] { return f.path(); }, [] { return 0.9; });
    EXPECT_EQ(progress.store(), nullptr);
    EXPECT_TRUE(progress.failed());
    const QString reason = progress.takeUntoldFault();
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(progress.takeUntoldFault().isEmpty()) << "told once";
    EXPECT_EQ(progress.store(), nullptr) << "not tried again";

    QFile after(f.file());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray(4096, 'x'));
}
