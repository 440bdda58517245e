// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Speech;

// Makes the first voice described exactly "Microsoft Simplified Chinese" the
// current voice; without one the engine keeps its default voice.
// Returns the position chosen, or -1.
int selectChineseVoice(Speech& speech);
