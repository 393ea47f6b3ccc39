#include "SingleInstance.h"

#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

// A wait of at most a second, within the deadline.
int slice(const QDeadlineTimer &deadline)
{
    return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, 1000));
}

} // namespace

bool SingleInstance::claim(const QStringList &files)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) // no usable runtime folder: the user's home
        folder = QDir::homePath();
    m_channel = platform::instanceChannel(folder);

    switch (m_lock.acquire(folder, QStringLiteral(".tolvik.lock"))) {
    case platform::InstanceLock::Result::Acquired:
        listen();
        return true;
    case platform::InstanceLock::Result::Unavailable:
        return true;
    case platform::InstanceLock::Result::HeldElsewhere:
        break;
    }
    QString why;
    if (deliver(m_channel, files, &why))
        return false;
    std::fprintf(stderr, "tolvik: the running Tolvik did not take the files (%s); converting them here\n",
                 qPrintable(why));
    return true;
}

bool SingleInstance::deliver(const QString &channel, const QStringList &files, QString *why) const
{
    // One line a file, its bytes percent-encoded: any name fits a line.
    QByteArray message;
    for (const QString &file : files)
        message += "open " + platform::encodeFileName(file).toPercentEncoding() + '\n';
    message += "activate\n";

    // The running instance may not listen yet (it has just started) or be
    // busy with another start: try again, for a while.
    const QDeadlineTimer deadline(10000);
    QLocalSocket first;
    for (;;) {
        first.connectToServer(channel);
        if (first.waitForConnected(slice(deadline)))
            break;
        if (deadline.hasExpired()) {
            *why = QStringLiteral("no answer on its channel: %1").arg(first.errorString());
            return false;
        }
        first.abort();
        QThread::msleep(100);
    }
    first.write(message);
    while (first.bytesToWrite() > 0 && !deadline.hasExpired())
        first.waitForBytesWritten(slice(deadline));
    // It answers once it has taken every file.
    while (!first.canReadLine() && !deadline.hasExpired() && first.state() == QLocalSocket::ConnectedState)
        first.waitForReadyRead(slice(deadline));
    if (first.canReadLine() && first.readLine().trimmed() == "ok")
        return true;
    *why = first.bytesToWrite() > 0 ? QStringLiteral("the files could not all be sent")
                                    : QStringLiteral("it did not confirm them");
    return false;
}

void SingleInstance::listen()
{
    // The holder of the lock owns the channel: one left by a killed
    // instance is ours to replace.
    delete m_server;
    QLocalServer::removeServer(m_channel);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_channel);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            socket->setReadBufferSize(maxLineBytes + 1);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        }
    });
    // Qt stops listening after a failed accept (no descriptors left), and
    // the socket file may be removed under us: then listen again.
    if (!m_watch.isActive()) {
        connect(&m_watch, &QTimer::timeout, this, [this] {
            const bool fileGone = QDir::isAbsolutePath(m_channel) && !QFileInfo::exists(m_channel);
            if (!m_server->isListening() || fileGone)
                listen();
        });
        m_watch.start(1000);
    }
}

void SingleInstance::readMessages(QLocalSocket *socket)
{
    // Files arrive one a line; "activate" ends the message.
    QStringList files = socket->property("files").toStringList();
    qsizetype received = socket->property("received").toLongLong();
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(maxLineBytes + 1);
        received += line.size();
        if (!line.endsWith('\n') || received > maxMessageBytes) {
            socket->abort(); // not a message of ours
            return;
        }
        const QByteArray text = line.trimmed();
        if (text.startsWith("open ")) {
            files << platform::decodeFileName(QByteArray::fromPercentEncoding(text.mid(5)));
        } else if (text == "activate") {
            if (!files.isEmpty())
                emit filesReceived(files);
            files.clear();
            received = 0;
            socket->write("ok\n");
            socket->flush();
            emit activationRequested();
        }
    }
    if (socket->bytesAvailable() > maxLineBytes) {
        socket->abort(); // a line longer than any path
        return;
    }
    socket->setProperty("files", files);
    socket->setProperty("received", received);
}
