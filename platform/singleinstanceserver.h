// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "platform/singleinstancesocket.h"

class QSocketNotifier;

// The first instance's end of the per-user socket: accepts later starts on
// Qt Core's event loop and answers each "activate" once the request is out.
class SingleInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceServer(QObject* parent = nullptr);
    ~SingleInstanceServer() override;

    // Takes the socket file at path, only for this user. A file already
    // there is replaced: the caller has made sure nobody answers on it.
    bool listen(const QByteArray& path);
    QString errorString() const { return error_; }

signals:
    void activateRequested();

private:
    struct Client;
    void acceptClients();
    void readClient(Client* client);
    void dropClient(Client* client);
    bool bindFresh(const QByteArray& path);

    UnixSocket listener_;
    QSocketNotifier* acceptNotifier_ = nullptr;
    std::vector<std::unique_ptr<Client>> clients_;
    QByteArray path_;
    unsigned long long inode_ = 0;
    QString error_;
};
