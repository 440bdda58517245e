// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/copyrecord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

CopyRecord::CopyRecord(const QString& folder) : path_(folder + QLatin1Char('/') + fileName()) {
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine(4096).trimmed();
        const int gap = line.indexOf("  ");
        if (gap != 64) continue;
        digests_.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap).toLower());
    }
}

QString CopyRecord::fileName() {
    return QStringLiteral("installed.sha256");
}

QByteArray CopyRecord::digestOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f)) return {};
    return hash.result().toHex();
}

void CopyRecord::set(const QString& name, const QByteArray& digest) {
    if (digests_.value(name) == digest) return;
    digests_.insert(name, digest);
    changed_ = true;
}

bool CopyRecord::save() {
    if (!changed_) return true;
    if (QFileInfo(path_).isSymLink()) return false;
    const QString part = path_ + QStringLiteral(".part");
    QFile::remove(part);
    QFile f(part);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    for (auto it = digests_.cbegin(); it != digests_.cend(); ++it)
        f.write(it.value() + "  " + it.key().toUtf8() + '\n');
    const bool written = f.flush() && f.error() == QFileDevice::NoError;
    f.close();
    if (!written ||
        ::rename(QFile::encodeName(part).constData(), QFile::encodeName(path_).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    changed_ = false;
    return true;
}
