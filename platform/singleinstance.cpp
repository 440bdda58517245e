// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "platform/logging.h"

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
}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(socketPath(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherIsRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(1000)) return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(1000);
    socket.waitForReadyRead(1000);  // the first instance answers once it has raised its window
    socket.disconnectFromServer();
    qCInfo(lcDisplay) << "another instance is running; asked it to activate";
    return true;
}

bool SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left behind by a copy that was killed: nobody answered on
        // it, so it is safe to take over.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) {
            qCWarning(lcDisplay) << "single-instance socket unavailable:" << server_->errorString();
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, client, [this, client] {
                if (client->readAll().contains("activate")) {
                    emit activateRequested();
                    client->write("ok\n");
                    client->flush();
                }
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}
