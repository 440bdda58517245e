// SPDX-License-Identifier: GPL-3.0-or-later
// What the help page says about the display matches what it does.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace {

QString helpPage() {
    QFile f(QStringLiteral(TEST_SOURCE_DIR "/data/help/help.html"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

// The speech runs beside the event loop: the window answers the mouse
// throughout (the display tests hold it to that).
TEST(HelpPage, SaysTheWindowAnswersTheMouseWhileSpeaking) {
    const QString page = helpPage();
    EXPECT_FALSE(page.contains(QStringLiteral("不响应鼠标")));
    EXPECT_TRUE(page.contains(QStringLiteral("朗读期间窗口照常响应鼠标")));
}

// An emptied personal list is treated as an empty one at reload: the
// message, then a source without records, so nothing is shown (never the
// bank). Every place the page describes it says the same.
TEST(HelpPage, EmptiedPersonalListIsDescribedAsWhatTheDisplayDoes) {
    const QString page = helpPage();
    EXPECT_FALSE(page.contains(QStringLiteral("改为显示题库")));
    const QRegularExpression empty(
        QStringLiteral("New Words book is empty\\.</samp>[^<]*不再显示题目"));
    EXPECT_EQ(page.count(empty), 2) << "the key table and the options section";
}

}  // namespace
