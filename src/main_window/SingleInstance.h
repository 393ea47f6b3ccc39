#pragma once

#include "platform/InstanceLock.h"

#include <QObject>

class QLocalServer;

// One running instance per user: a lock in the user's runtime folder,
// and a local channel on which a later start asks the running instance
// to come forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // True when this process may run: it holds the lock, or no lock can be
    // had at all (one instance too many beats none). False when a live
    // instance holds it; that instance has been asked to come forward.
    bool claim();

signals:
    void activationRequested();

private:
    void listen(const QString &channel);

    platform::InstanceLock m_lock;
    QLocalServer *m_server = nullptr;
};
