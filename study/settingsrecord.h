// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QtGlobal>

// The one in-memory copy of Study's settings, one field per key. Whole
// numbers are 16-bit like the stored values; the colours are numbers holding
// a 32-bit colour value.
struct SettingsRecord {
    qint16 ctimeword = 7;
    qint16 ontopword = 1;
    qint16 ssaveword = 1;
    qint16 guageword = 1;
    qint16 markword = 0;
    // Half the screen width in twips minus 2000; wider than 16 bits on very
    // wide screens, so it is kept as a wider number. Nothing depends on it.
    qint32 winleftword = 0;
    qint16 voice = 1;
    qint16 isnoSpeak = 0;
    qint16 Spdtimes = 90;
    qint16 FontSizeNumber = 12;
    double txtColor = 0;
    double formColor = 0;
    // 1: each step shows the answer only after half the step. Not one of the
    // seeded or saved keys: written only when the learner switches it (key H).
    qint16 delayword = 0;
    QString xxx;
    QString agent;
};
