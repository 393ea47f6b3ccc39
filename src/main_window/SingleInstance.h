#pragma once

#include "platform/instance/Instance.h"

#include <QObject>
#include <QTimer>

class QLocalServer;
class QLocalSocket;

// One running instance per user: a lock in the user's runtime folder,
// and a local channel on which a later start hands the running instance
// its files and asks it to come forward.
//
// Files are offered, not sent: the later start makes a token file beside
// the lock, and whoever removes it owns the files. The running instance
// takes them only by removing the token; a start that gives up waiting
// removes it first and converts them itself. Whichever side is slow,
// stopped or killed, each file has exactly one owner.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SingleInstance() override;

    // True when this process must run: it holds the lock, no lock can be
    // had at all (one instance too many beats none), or the instance that
    // holds it did not take `files` (then this one converts them itself:
    // a file is never dropped in silence). False when the running instance
    // has taken the files and been asked to come forward.
    bool claim(const QStringList &files = {});
    // claim() was asked and said this process runs.
    bool claimed() const { return m_claimed; }

    // Limits of a message on the channel: a longer line or message is
    // never read whole, the connection is dropped.
    static constexpr qsizetype maxLineBytes = 64 * 1024;
    static constexpr qsizetype maxMessageBytes = 64 * 1024 * 1024;

    // The token files' names begin so, followed by "<process>-<random>".
    static const QString offerPrefix;

signals:
    void filesReceived(const QStringList &files);
    void activationRequested();

private:
    enum class Delivery { Taken, NotTaken, HolderGone };
    // Hands `files` to the running instance; HolderGone: it ended first,
    // and this process holds the lock now.
    Delivery deliver(const QStringList &files, QString *why);
    void becomeTheInstance();
    // The time of the running instance's last "ready" (its event loop
    // turns); 0 while it starts, or when it is gone.
    qint64 holderHeartbeat() const;
    static const QString lockName;
    static const QString readyName;
    QString makeOffer() const;
    bool takeOffer(const QByteArray &name) const;
    void removeStaleOffers() const;
    void listen();
    void readMessages(QLocalSocket *socket);

    platform::InstanceLock m_lock;
    QString m_folder; // the lock's, and the offers'
    QString m_channel;
    QLocalServer *m_server = nullptr;
    QTimer m_watch; // listens again when the channel is lost
    bool m_claimed = false;
    bool m_announcedReady = false;
    QTimer m_heartbeat;
};
