// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The text handed to the speech engine for a question or an answer. The
// Mandarin pinyin voice takes a Latin letter followed by a digit for a pinyin
// syllable with its tone ("C1" comes out as a bare "tsh"), so a blank goes
// between them and the letter and the number are read as such. Full-width
// letters and digits count as Latin ones and are read like them.
QString prepareSpeechText(const QString& text);
