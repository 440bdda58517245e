// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

namespace Categories {

// The ten categories of the question bank, held as one literal and split at
// every "-".
inline const QString kList = QStringLiteral(
    "交通安全法律-交通信号-文明驾驶-复杂道路驾驶-临危处置-机动车知识-事故自救-客车专用试题-"
    "货车专用试题-轮式机械车");

QStringList names();

}  // namespace Categories
