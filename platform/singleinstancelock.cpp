// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstancelock.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <cerrno>

bool SingleInstanceLock::acquire(const QByteArray& key, int timeoutMs) {
    // Hashed, so that a long socket path still makes a name that fits.
    const QByteArray name = QByteArray(1, '\0') + "quillmere-instance-lock/" +
                            QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    for (int waited = 0;; waited += 5) {
        socket_ = UnixSocket::listenAt(name);
        if (socket_.isValid()) return true;
        if (errno != EADDRINUSE || waited >= timeoutMs) return false;
        ::usleep(5 * 1000);
    }
}
