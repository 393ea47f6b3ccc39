#include "SingleInstance.h"

#include "names/FileNames.h"
#include "platform/FileNameEncoding.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

bool SingleInstance::claim(const QStringList &files)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) // no usable runtime folder: the user's home
        folder = QDir::homePath();
    const QString channel = platform::instanceChannel(folder);

    switch (m_lock.acquire(folder, QStringLiteral(".tolvik.lock"))) {
    case platform::InstanceLock::Result::Acquired:
        listen(channel);
        return true;
    case platform::InstanceLock::Result::Unavailable:
        return true;
    case platform::InstanceLock::Result::HeldElsewhere:
        break;
    }
    QLocalSocket first;
    first.connectToServer(channel);
    if (first.waitForConnected(1000)) {
        // One line a file, its bytes percent-encoded: any name fits a line.
        for (const QString &file : files)
            first.write("open " + platform::encodeFileName(file).toPercentEncoding() + '\n');
        first.write("activate\n");
        first.waitForBytesWritten(1000);
        first.disconnectFromServer();
    }
    return false;
}

void SingleInstance::listen(const QString &channel)
{
    // The holder of the lock owns the channel: one left by a killed
    // instance is ours to replace.
    QLocalServer::removeServer(channel);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(channel))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        }
    });
}

void SingleInstance::readMessages(QLocalSocket *socket)
{
    // Files arrive one a line; "activate" ends the message.
    QStringList files = socket->property("files").toStringList();
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(1 << 16).trimmed();
        if (line.startsWith("open "))
            files << platform::decodeFileName(QByteArray::fromPercentEncoding(line.mid(5)));
        else if (line == "activate") {
            if (!files.isEmpty())
                emit filesReceived(files);
            files.clear();
            emit activationRequested();
        }
    }
    socket->setProperty("files", files);
}
