// SPDX-License-Identifier: GPL-3.0-or-later
// Study's settings reading over an arbitrary settings file: it never fails,
// and every value in effect lies in its range.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/olecolour.h"
#include "platform/settingsstore.h"
#include "study/settingsrecord.h"

namespace {
QTemporaryDir* dir;
int rounds;

void require(bool ok) {
    if (!ok) std::abort();
}

bool validColour(double v) {
    const std::uint32_t ole = OleColour::fromNumber(v);
    return !(ole & OleColour::kSystemFlag) || (ole & ~OleColour::kSystemFlag) <= 30;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A folder of its own each round: QSettings caches files by name and
    // might not see a rewrite of the same size within the same second.
    const QString config = dir->path() + QStringLiteral("/%1").arg(rounds++);
    QDir().mkpath(config + QStringLiteral("/Vozo"));
    {
        QFile f(config + QStringLiteral("/Vozo/zorvik24.ini"));
        require(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    {
        SettingsStore store;
        const SettingsTable::Design design;
        const SettingsRecord r = SettingsTable::read(store, design);
        require(r.ctimeword >= 1 && r.ctimeword <= 32);
        require(r.FontSizeNumber >= 8 && r.FontSizeNumber <= 55);
        require(r.guageword >= 0);
        for (int v : {int(r.ssaveword), int(r.markword), int(r.ontopword), int(r.isnoSpeak)})
            require(v == 0 || v == 1);
        require(validColour(r.txtColor) && validColour(r.formColor));
    }
    QDir(config).removeRecursively();
    return 0;
}
