// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcDisplay, "study.display", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSpeech, "study.speech", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "study.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDb, "questionbank.db", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSkin, "skin", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUi, "ui.message", QtWarningMsg)
