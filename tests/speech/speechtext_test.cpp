// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <espeak-ng/speak_lib.h>

#include <QStringList>

#include "platform/speechtext.h"

TEST(SpeechText, ABlankSeparatesALatinLetterFromTheDigitAfterIt) {
    EXPECT_EQ(prepareSpeechText("准驾车型为C1的"), "准驾车型为C 1的");
    EXPECT_EQ(prepareSpeechText("A1、A2、B2"), "A 1、A 2、B 2");
    EXPECT_EQ(prepareSpeechText("c12"), "c 12");
    EXPECT_EQ(prepareSpeechText("Ｃ１照"), "C 1照") << "full-width forms read like ASCII ones";
    // Nothing else changes: digits before letters, words, Chinese, punctuation.
    for (const QString t : {"3.5t", "60km/h", "ABC", "第1题", "(后面为答案）", "C 1", ""})
        EXPECT_EQ(prepareSpeechText(t), t);
}

namespace {
// The engine's phonemes for a text, one entry per word.
class Phonemes : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        available_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                       espeakINITIALIZE_DONT_EXIT) > 0 &&
                     espeak_SetVoiceByName("cmn-latn-pinyin") == EE_OK;
    }
    void SetUp() override {
        if (!available_)
            GTEST_SKIP() << "espeak-ng data with the cmn-latn-pinyin voice is not installed";
    }
    static QStringList of(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        const void* p = utf8.constData();
        QStringList words;
        while (p) {
            const char* ph = espeak_TextToPhonemes(&p, espeakCHARS_UTF8, 0);
            words << QString::fromUtf8(ph).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        return words;
    }
    static inline bool available_ = false;
};
}  // namespace

TEST_F(Phonemes, LetterAndDigitAreReadAsTheLetterAndTheNumber) {
    for (const char* letter : {"A", "B", "C"}) {
        for (const char* digit : {"1", "2", "3"}) {
            const QString both = QLatin1String(letter) + QLatin1String(digit);
            EXPECT_EQ(of(prepareSpeechText(both)), of(letter) + of(digit)) << both.toStdString();
        }
    }
}

TEST_F(Phonemes, InAQuestionTheLicenceClassKeepsItsLetter) {
    const QStringList sentence = of(prepareSpeechText("准驾车型为C1的"));
    const QStringList classC1 = of("C") + of("1");
    bool found = false;
    for (int i = 0; i + classC1.size() <= sentence.size(); ++i)
        found = found || sentence.mid(i, classC1.size()) == classC1;
    EXPECT_TRUE(found) << sentence.join(' ').toStdString();
}
