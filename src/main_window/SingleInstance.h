#pragma once

#include "platform/InstanceLock.h"

#include <QObject>

class QLocalServer;
class QLocalSocket;

// One running instance per user: a lock in the user's runtime folder,
// and a local channel on which a later start hands the running instance
// its files and asks it to come forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // True when this process may run: it holds the lock, or no lock can be
    // had at all (one instance too many beats none). False when a live
    // instance holds it; that instance has been handed `files` and asked to
    // come forward.
    bool claim(const QStringList &files = {});

signals:
    void filesReceived(const QStringList &files);
    void activationRequested();

private:
    void listen(const QString &channel);
    void readMessages(QLocalSocket *socket);

    platform::InstanceLock m_lock;
    QLocalServer *m_server = nullptr;
};
