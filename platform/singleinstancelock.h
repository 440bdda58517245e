// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

#include "platform/singleinstancesocket.h"

// Makes "is a copy running? if not, become the one" a single step for
// starts that race: held from the look for a running copy until this one
// listens. The lock is a name in the abstract socket namespace, which the
// kernel frees when its holder ends however it ends, so a crash leaves no
// lock behind.
class SingleInstanceLock {
public:
    // Waits at most timeoutMs for the lock on key; false when it stayed
    // taken (the start then goes on without it, as it did before).
    bool acquire(const QByteArray& key, int timeoutMs);
    void release() { socket_ = UnixSocket(); }
    bool isHeld() const { return socket_.isValid(); }

private:
    UnixSocket socket_;
};
