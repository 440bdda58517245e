// SPDX-License-Identifier: GPL-3.0-or-later
#include "manager/windowsizememory.h"

#include "platform/settingsstore.h"

WindowSizeMemory::WindowSizeMemory(SettingsStore& store, QSize documented)
    : store_(store), documented_(documented), opened_{documented, false} {}

int WindowSizeMemory::readWhole(const char* key, int absent) const {
    bool ok = false;
    const int v = store_.read(QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? v : absent;
}

WindowSizeMemory::Size WindowSizeMemory::restore(const QRect& available) {
    QSize size(readWhole(kWidthKey, documented_.width()),
               readWhole(kHeightKey, documented_.height()));
    // A size kept on a larger screen shrinks to this one's free area; the
    // documented size wins over a screen too small even for it.
    if (available.isValid()) size = size.boundedTo(available.size());
    size = size.expandedTo(documented_);
    opened_ = {size, readWhole(kMaximisedKey, 0) == 1};
    return opened_;
}

void WindowSizeMemory::writeIfChanged(const char* key, int value, int absent) {
    const QString stored = store_.read(QLatin1String(key));
    if (stored.isEmpty() ? value == absent : stored == QString::number(value)) return;
    store_.write(QLatin1String(key), QString::number(value));
}

void WindowSizeMemory::keep(const Size& now) {
    // A size that was only clamped to a smaller screen stays as it was kept,
    // for the larger screen it came from.
    if (now == opened_) return;
    const QSize normal = now.normal.expandedTo(documented_);
    writeIfChanged(kWidthKey, normal.width(), documented_.width());
    writeIfChanged(kHeightKey, normal.height(), documented_.height());
    writeIfChanged(kMaximisedKey, now.maximised ? 1 : 0, 0);
    opened_ = {normal, now.maximised};
}
