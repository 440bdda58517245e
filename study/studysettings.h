// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <cstdint>

#include "study/settingsrecord.h"
#include "study/settingstable.h"

class SettingsStore;

// The one settings record of Study and its store. The options dialog edits
// the record through the setters, and every setter announces its change; the
// display previews the look (font size, colours) from those announcements.
// Reading replaces the record and announces nothing: the display applies the
// look only when it loads, so a preview outlives a reload that drops it.
class StudySettings : public QObject {
    Q_OBJECT
public:
    explicit StudySettings(SettingsStore& store, QObject* parent = nullptr);

    const SettingsRecord& record() const { return record_; }

    // The three bulk operations on the store.
    bool seed(const SettingsTable::Design& design);
    void read(const SettingsTable::Design& design);
    void save();

    void setSaveOnClose(bool on);
    void setOnTop(bool on);
    void setSpeakAnswer(bool on);
    void setStartWithSystem(bool on);
    void setSeconds(int seconds);
    void setChoice(int choice);
    void setFontSize(int points);
    // A colour chosen to try it out shows the sample text with it.
    enum class Preview { Plain, WithSample };
    void setTextColour(std::uint32_t ole, Preview preview = Preview::Plain);
    void setFormColour(std::uint32_t ole);
    // Written at once under its own key; neither seeded nor saved.
    void toggleAnswersAfterPause();
    // Written at once, like the switch above.
    void toggleExplanations();
    // The order by memory on or off, written at once like the switches above.
    void toggleMemoryOrder();

signals:
    // Any field changed by a setter.
    void changed();
    void fontSizeChanged(int points);
    void textColourChanged(std::uint32_t ole, bool withSample);
    void formColourChanged(std::uint32_t ole);

private:
    void setWhole(qint16& field, int value);

    SettingsStore& store_;
    SettingsRecord record_;
};
