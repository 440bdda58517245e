// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/studysettings.h"

#include "platform/olecolour.h"
#include "platform/settingsstore.h"

StudySettings::StudySettings(SettingsStore& store, QObject* parent)
    : QObject(parent), store_(store) {}

bool StudySettings::seed(const SettingsTable::Design& design) {
    return SettingsTable::seed(store_, design);
}

void StudySettings::read(const SettingsTable::Design& design) {
    record_ = SettingsTable::read(store_, design);
}

void StudySettings::save() {
    SettingsTable::save(store_, record_);
}

void StudySettings::setWhole(qint16& field, int value) {
    field = qint16(value);
    emit changed();
}

void StudySettings::setSaveOnClose(bool on) {
    setWhole(record_.ssaveword, on ? 1 : 0);
}
void StudySettings::setOnTop(bool on) {
    setWhole(record_.ontopword, on ? 1 : 0);
}
void StudySettings::setSpeakAnswer(bool on) {
    setWhole(record_.isnoSpeak, on ? 1 : 0);
}
void StudySettings::setStartWithSystem(bool on) {
    setWhole(record_.markword, on ? 1 : 0);
}
void StudySettings::setSeconds(int seconds) {
    setWhole(record_.ctimeword, seconds);
}
void StudySettings::setChoice(int choice) {
    setWhole(record_.guageword, choice);
}

// Announced even when the size stays: each setting is a request to fit the
// display to it, as the size box's every valid change was.
void StudySettings::setFontSize(int points) {
    setWhole(record_.FontSizeNumber, points);
    emit fontSizeChanged(points);
}

void StudySettings::setTextColour(std::uint32_t ole, Preview preview) {
    record_.txtColor = double(OleColour::toSigned(ole));
    emit changed();
    emit textColourChanged(ole, preview == Preview::WithSample);
}

void StudySettings::setFormColour(std::uint32_t ole) {
    record_.formColor = double(OleColour::toSigned(ole));
    emit changed();
    emit formColourChanged(ole);
}

void StudySettings::toggleExplanations() {
    setWhole(record_.explainword, record_.explainword == 1 ? 0 : 1);
    store_.write(QLatin1String(SettingsTable::explainword.key),
                 QString::number(record_.explainword));
}

void StudySettings::toggleAnswersAfterPause() {
    setWhole(record_.delayword, record_.delayword == 1 ? 0 : 1);
    store_.write(QLatin1String(SettingsTable::delayword.key), QString::number(record_.delayword));
}

void StudySettings::toggleMemoryOrder() {
    setWhole(record_.studyorder, record_.studyorder == 1 ? 0 : 1);
    store_.write(QLatin1String(SettingsTable::studyorder.key), QString::number(record_.studyorder));
}
