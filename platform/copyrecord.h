// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>

// Which installed file each of the user's copies came from: the SHA-256 of
// what was copied, kept beside the copies in installed.sha256, in the form
// sha256sum writes and checks ("<hex>  <name>" a line).
class CopyRecord {
public:
    explicit CopyRecord(const QString& folder);

    static QString fileName();
    // Lower-case hex SHA-256 of a file's bytes; empty when it cannot be read.
    static QByteArray digestOf(const QString& path);

    QByteArray digest(const QString& name) const { return digests_.value(name); }
    void set(const QString& name, const QByteArray& digest);
    // Writes the record when it changed, through a temporary file and a
    // rename; a record that is a symbolic link is left as it is.
    bool save();

private:
    QString path_;
    QMap<QString, QByteArray> digests_;
    bool changed_ = false;
};
