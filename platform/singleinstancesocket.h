// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

// A Unix-domain stream socket's descriptor, closed when it goes. Plain
// system calls rather than Qt Network, whose libraries would cost every start
// more than the one socket they would serve here.
class UnixSocket {
public:
    UnixSocket() = default;
    explicit UnixSocket(int fd) : fd_(fd) {}
    ~UnixSocket();
    UnixSocket(UnixSocket&& other) noexcept : fd_(other.release()) {}
    UnixSocket& operator=(UnixSocket&& other) noexcept;
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    bool isValid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int release();

    // Connects to the socket at path, waiting at most timeoutMs; on failure
    // the result is invalid and errno tells why (ECONNREFUSED: nobody listens).
    static UnixSocket connectTo(const QByteArray& path, int timeoutMs);
    // Binds and listens at path (a leading NUL byte names the abstract
    // namespace); invalid with errno set when that fails.
    static UnixSocket listenAt(const QByteArray& path);

    bool writeAll(const QByteArray& data, int timeoutMs);
    // Waits at most timeoutMs for something to read; empty at the end, on
    // error or when the time ran out.
    QByteArray readSome(int timeoutMs);

private:
    bool waitFor(short events, int timeoutMs);

    int fd_ = -1;
};
