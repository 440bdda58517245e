// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstancesocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
// False when the path does not fit in an address (errno ENAMETOOLONG).
bool makeAddress(const QByteArray& path, sockaddr_un& address, socklen_t& length) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    // A file name needs room for its terminating NUL; an abstract one does not.
    const bool abstract = path.startsWith('\0');
    if (path.isEmpty() || path.size() + (abstract ? 0 : 1) > qsizetype(sizeof address.sun_path)) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()) + (abstract ? 0 : 1));
    return true;
}

UnixSocket newSocket() {
    return UnixSocket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}
}  // namespace

UnixSocket::~UnixSocket() {
    if (fd_ >= 0) ::close(fd_);
}

UnixSocket& UnixSocket::operator=(UnixSocket&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int UnixSocket::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

UnixSocket UnixSocket::connectTo(const QByteArray& path, int timeoutMs) {
    sockaddr_un address;
    socklen_t length = 0;
    if (!makeAddress(path, address, length)) return {};
    UnixSocket socket = newSocket();
    if (!socket.isValid()) return {};
    if (::connect(socket.fd_, reinterpret_cast<sockaddr*>(&address), length) == 0) return socket;
    // A full backlog makes a non-blocking connect wait: the listener is alive
    // but busy, so it gets the same grace a slow answer gets.
    if (errno != EAGAIN && errno != EINPROGRESS) return {};
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        ::usleep(10 * 1000);
        if (::connect(socket.fd_, reinterpret_cast<sockaddr*>(&address), length) == 0 ||
            errno == EISCONN)
            return socket;
        if (errno != EAGAIN && errno != EINPROGRESS && errno != EALREADY) return {};
    }
    errno = ETIMEDOUT;
    return {};
}

UnixSocket UnixSocket::listenAt(const QByteArray& path) {
    sockaddr_un address;
    socklen_t length = 0;
    if (!makeAddress(path, address, length)) return {};
    UnixSocket socket = newSocket();
    if (!socket.isValid()) return {};
    if (::bind(socket.fd_, reinterpret_cast<sockaddr*>(&address), length) != 0) return {};
    if (::listen(socket.fd_, SOMAXCONN) != 0) return {};
    return socket;
}

bool UnixSocket::waitFor(short events, int timeoutMs) {
    pollfd entry{fd_, events, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool UnixSocket::writeAll(const QByteArray& data, int timeoutMs) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::send(fd_, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(POLLOUT, timeoutMs)) return false;
        } else {
            return false;
        }
    }
    return true;
}

QByteArray UnixSocket::readSome(int timeoutMs) {
    if (!waitFor(POLLIN, timeoutMs)) return {};
    char buffer[256];
    ssize_t n;
    do {
        n = ::recv(fd_, buffer, sizeof buffer, 0);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}
