// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstanceserver.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>

struct SingleInstanceServer::Client {
    UnixSocket socket;
    QSocketNotifier* notifier = nullptr;
    QByteArray received;
};

namespace {
// A later start sends one short line; anything longer is not one of ours.
constexpr qsizetype kMaxRequest = 4096;

unsigned long long inodeOf(const QByteArray& path) {
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 ? (unsigned long long)info.st_ino : 0;
}
}  // namespace

SingleInstanceServer::SingleInstanceServer(QObject* parent) : QObject(parent) {}

SingleInstanceServer::~SingleInstanceServer() {
    // The file goes with the server, unless a later copy has taken the name
    // over in the meantime: that one is not ours to remove.
    if (listener_.isValid() && inode_ != 0 && inodeOf(path_) == inode_) ::unlink(path_.constData());
}

bool SingleInstanceServer::bindFresh(const QByteArray& path) {
    listener_ = UnixSocket::listenAt(path);
    if (!listener_.isValid() && errno == EADDRINUSE) {
        ::unlink(path.constData());
        listener_ = UnixSocket::listenAt(path);
    }
    if (!listener_.isValid()) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool SingleInstanceServer::listen(const QByteArray& path) {
    if (!bindFresh(path)) return false;
    // Only this user may ask the running copy for anything.
    ::chmod(path.constData(), S_IRWXU);
    path_ = path;
    inode_ = inodeOf(path);
    acceptNotifier_ = new QSocketNotifier(listener_.fd(), QSocketNotifier::Read, this);
    connect(acceptNotifier_, &QSocketNotifier::activated, this,
            &SingleInstanceServer::acceptClients);
    return true;
}

void SingleInstanceServer::acceptClients() {
    for (;;) {
        const int fd = ::accept4(listener_.fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        auto client = std::make_unique<Client>();
        client->socket = UnixSocket(fd);
        client->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        Client* raw = client.get();
        connect(client->notifier, &QSocketNotifier::activated, this,
                [this, raw] { readClient(raw); });
        clients_.push_back(std::move(client));
    }
}

void SingleInstanceServer::readClient(Client* client) {
    char buffer[256];
    const ssize_t n = ::recv(client->socket.fd(), buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        dropClient(client);
        return;
    }
    client->received.append(buffer, n);
    if (client->received.contains("activate")) {
        client->received.clear();
        // The later start waits for this line, so it learns the window is up.
        emit activateRequested();
        client->socket.writeAll("ok\n", 1000);
    } else if (client->received.size() > kMaxRequest) {
        dropClient(client);
    }
}

void SingleInstanceServer::dropClient(Client* client) {
    // The notifier is in the middle of its signal: it goes when that is done.
    client->notifier->setEnabled(false);
    client->notifier->deleteLater();
    const auto found = std::find_if(clients_.begin(), clients_.end(),
                                    [client](const auto& c) { return c.get() == client; });
    if (found != clients_.end()) clients_.erase(found);
}
