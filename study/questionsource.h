// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class DataControl;
class QWidget;
struct SettingsRecord;

// Points the display's data source at the records that guageword asks for:
// 0 the whole bank, 1 to 9 one category, 10 and above the personal list
// (or, when that is empty, the bank's 'Weather' category after a message).
// Returns false after telling the user that the personal list could not be
// read; the data source then holds nothing.
bool selectSource(const SettingsRecord& settings, const QString& programFolder, DataControl& data,
                  QWidget* messageParent);

// What source selection does for an empty personal list: the message
// "Error:New Words book is empty.", then the bank's 'Weather' category.
void selectEmptyListFallback(const QString& programFolder, DataControl& data, QWidget* messageParent);
