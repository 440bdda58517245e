// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QtGlobal>

#include "study/settingstable.h"

// The one in-memory copy of Study's settings, one field per key. Whole
// numbers are 16-bit like the stored values; the colours are numbers holding
// a 32-bit colour value.
struct SettingsRecord {
    qint16 ctimeword = SettingsTable::ctimeword.firstRun;
    qint16 ontopword = SettingsTable::ontopword.firstRun;
    qint16 ssaveword = SettingsTable::ssaveword.firstRun;
    qint16 guageword = SettingsTable::guageword.firstRun;
    qint16 markword = SettingsTable::markword.firstRun;
    // Half the screen width in twips minus 2000; wider than 16 bits on very
    // wide screens, so it is kept as a wider number. Nothing depends on it.
    qint32 winleftword = 0;
    qint16 voice = SettingsTable::voice.firstRun;
    qint16 isnoSpeak = SettingsTable::isnoSpeak.firstRun;
    qint16 Spdtimes = SettingsTable::Spdtimes.firstRun;
    qint16 FontSizeNumber = SettingsTable::FontSizeNumber.firstRun;
    double txtColor = 0;
    double formColor = 0;
    // 1: each step shows the answer only after half a step (key H).
    qint16 delayword = SettingsTable::delayword.firstRun;
    // 1: the explanation of an exam-form question follows its answer.
    qint16 explainword = SettingsTable::explainword.firstRun;
    // 1: the next question is chosen by the learner's memory of it.
    qint16 studyorder = SettingsTable::studyorder.firstRun;
    qint16 newperday = SettingsTable::newperday.firstRun;
    qint16 retention = SettingsTable::retention.firstRun;  // percent
    QString xxx;
    QString agent;
};
