// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "platform/singleinstancelock.h"

class SingleInstanceServer;

// One running copy per user: the first instance listens on a per-user local
// socket; a later one connects, asks the first to bring its window forward,
// and is told to end.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance is running; it has then been asked to
    // activate its window. When false, a start racing this one waits until
    // listen() has run, and then finds this instance.
    bool anotherIsRunning();
    // Starts listening, so that later instances find this one.
    bool listen();

    QString serverName() const { return name_; }

signals:
    void activateRequested();

private:
    QString name_;
    SingleInstanceLock lock_;
    SingleInstanceServer* server_ = nullptr;
};
