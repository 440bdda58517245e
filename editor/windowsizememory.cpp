// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/windowsizememory.h"

#include "platform/settingsstore.h"

WindowSizeMemory::WindowSizeMemory(SettingsStore& store, QSize documented, Keys keys)
    : store_(store), documented_(documented), keys_(keys), opened_{documented, false} {}

int WindowSizeMemory::readWhole(const char* key, int absent) const {
    bool ok = false;
    const int v = store_.read(QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? v : absent;
}

WindowSizeMemory::Size WindowSizeMemory::restore(const QRect& available) {
    QSize size(readWhole(keys_.width, documented_.width()),
               readWhole(keys_.height, documented_.height()));
    // A size kept on a larger screen shrinks to this one's free area; the
    // documented size wins over a screen too small even for it.
    if (available.isValid()) size = size.boundedTo(available.size());
    size = size.expandedTo(documented_);
    opened_ = {size, readWhole(keys_.maximised, 0) == 1};
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
    writeIfChanged(keys_.width, normal.width(), documented_.width());
    writeIfChanged(keys_.height, normal.height(), documented_.height());
    writeIfChanged(keys_.maximised, now.maximised ? 1 : 0, 0);
    opened_ = {normal, now.maximised};
}
