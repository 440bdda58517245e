// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsstore.h"

#include <QSettings>
#include <QStandardPaths>

#include "platform/logging.h"

SettingsStore::SettingsStore()
    // The same file as QSettings(IniFormat, UserScope, "Vozo", "zorvik24"),
    // but looked up afresh, so a changed XDG_CONFIG_HOME is followed.
    : settings_(std::make_unique<QSettings>(
          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
              QStringLiteral("/Vozo/zorvik24.ini"),
          QSettings::IniFormat)) {
    if (settings_->status() != QSettings::NoError)
        qCWarning(lcSettings) << "settings file" << settings_->fileName()
                              << "could not be read completely; status" << settings_->status();
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::existingKey(const QString& key) const {
    const QStringList keys = settings_->allKeys();
    for (const QString& k : keys)
        if (k.compare(key, Qt::CaseInsensitive) == 0) return k;
    return {};
}

QString SettingsStore::read(const QString& key) const {
    const QString k = existingKey(key);
    if (k.isEmpty()) {
        qCInfo(lcSettings).noquote() << "read" << key << "= (absent)";
        return {};
    }
    const QVariant v = settings_->value(k);
    // A value written by another tool as a list or a binary blob reads as text
    // that is not a number, which the caller treats like any other bad value.
    const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(','))
                                                              : v.toString();
    qCInfo(lcSettings).noquote() << "read" << key << "=" << text;
    return text;
}

void SettingsStore::write(const QString& key, const QString& value) {
    QString k = existingKey(key);
    if (k.isEmpty()) k = key;
    settings_->setValue(k, value);
    settings_->sync();
    qCInfo(lcSettings).noquote() << "write" << k << "=" << value
                                 << (settings_->status() == QSettings::NoError ? "" : "(failed)");
}

QString SettingsStore::fileName() const { return settings_->fileName(); }
