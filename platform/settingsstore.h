// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>

class QSettings;

// The per-user settings section of Study: named text values in
// $XDG_CONFIG_HOME/Vozo/zorvik24.ini. Key names match without regard to case;
// a write goes back under the spelling the file already has.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, or the empty text when the value is absent.
    QString read(const QString& key) const;
    // Creates or replaces the value. Failures are not reported.
    void write(const QString& key, const QString& value);

    QString fileName() const;

private:
    QString existingKey(const QString& key) const;
    std::unique_ptr<QSettings> settings_;
};
