// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/logging.h"
#include "platform/singleinstanceserver.h"
#include "platform/singleinstancesocket.h"

namespace {
QString socketPath(const QString& name) {
    // The runtime folder is private to the user, so the socket name needs no
    // user name of its own; without one fall back to a per-user temp name.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(qHash(QDir::homePath()));
    return dir + QLatin1Char('/') + name + QLatin1Char('-') + user;
}

// Longer than a running copy takes from its look to its listening, and than
// an answer (below) may take.
constexpr int kLockWaitMs = 4000;
constexpr int kAnswerWaitMs = 1000;
}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(socketPath(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherIsRunning() {
    const QByteArray path = QFile::encodeName(name_);
    lock_.acquire(path, kLockWaitMs);
    UnixSocket socket = UnixSocket::connectTo(path, kAnswerWaitMs);
    if (!socket.isValid()) return false;  // the lock stays held until listen()
    lock_.release();
    socket.writeAll("activate\n", kAnswerWaitMs);
    socket.readSome(kAnswerWaitMs);  // the first instance answers once it has raised its window
    qCInfo(lcDisplay) << "another instance is running; asked it to activate";
    return true;
}

bool SingleInstance::listen() {
    const QByteArray path = QFile::encodeName(name_);
    if (!lock_.isHeld()) lock_.acquire(path, kLockWaitMs);
    server_ = new SingleInstanceServer(this);
    // A socket left behind by a copy that was killed: nobody answered on it,
    // so the server may take it over.
    const bool listening = server_->listen(path);
    lock_.release();
    if (!listening) {
        qCWarning(lcDisplay) << "single-instance socket unavailable:" << server_->errorString();
        return false;
    }
    connect(server_, &SingleInstanceServer::activateRequested, this,
            &SingleInstance::activateRequested);
    return true;
}
