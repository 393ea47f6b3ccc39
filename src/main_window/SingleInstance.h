#pragma once

#include "platform/instance/Instance.h"

#include <QObject>
#include <QTimer>

class QLocalServer;
class QLocalSocket;

// One running instance per user: a lock in the user's runtime folder,
// and a local channel on which a later start hands the running instance
// its files and asks it to come forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // True when this process must run: it holds the lock, no lock can be
    // had at all (one instance too many beats none), or the instance that
    // holds it did not take `files` (then this one converts them itself:
    // a file is never dropped in silence). False when a live instance has
    // taken the files and been asked to come forward.
    bool claim(const QStringList &files = {});

    // Limits of a message on the channel: a longer line or message is
    // never read whole, the connection is dropped.
    static constexpr qsizetype maxLineBytes = 64 * 1024;
    static constexpr qsizetype maxMessageBytes = 64 * 1024 * 1024;

signals:
    void filesReceived(const QStringList &files);
    void activationRequested();

private:
    bool deliver(const QString &channel, const QStringList &files, QString *why) const;
    void listen();
    void readMessages(QLocalSocket *socket);

    platform::InstanceLock m_lock;
    QString m_channel;
    QLocalServer *m_server = nullptr;
    QTimer m_watch; // listens again when the channel is lost
};
