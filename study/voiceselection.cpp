// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/voiceselection.h"

#include <QString>

#include "platform/speech.h"

int selectChineseVoice(Speech& speech) {
    const QStringList voices = speech.voiceDescriptions();
    for (qint16 i = 0; i < voices.size() && i >= 0; ++i) {
        if (voices[i] == QLatin1String("Microsoft Simplified Chinese")) {
            speech.selectVoice(i);
            return i;
        }
    }
    return -1;
}
