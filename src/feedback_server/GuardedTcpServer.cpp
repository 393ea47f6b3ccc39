#include "GuardedTcpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

GuardedTcpServer::GuardedTcpServer(Limits limits, QObject *parent) : QTcpServer(parent), m_limits(limits) {}

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QString address = socket->peerAddress().toString();
    if (m_open >= m_limits.total || m_openByAddress.value(address) >= m_limits.perAddress) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++m_open;
    ++m_openByAddress[address];
    connect(socket, &QObject::destroyed, this, [this, address] {
        --m_open;
        if (--m_openByAddress[address] <= 0)
            m_openByAddress.remove(address);
    });
    guardHeads(socket);
    // The HTTP side deletes a socket once it is closed.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(m_limits.lifetimeMs, socket, [socket] { socket->abort(); });
    addPendingConnection(socket);
    emit newConnection();
}

void GuardedTcpServer::guardHeads(QTcpSocket *socket)
{
    // The head of the request being read (connected before the HTTP side,
    // so this sees every byte first).
    auto head = std::make_shared<QByteArray>();
    const auto release = [this, head] {
        m_headBytes -= head->size();
        head->clear();
    };
    connect(socket, &QObject::destroyed, this, release);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, head, release] {
        const QByteArray arrived = socket->peek(socket->bytesAvailable());
        if (m_headBytes + arrived.size() > m_limits.headBytes) {
            release();
            socket->abort();
            return;
        }
        head->append(arrived);
        m_headBytes += arrived.size();
        qsizetype end;
        while ((end = head->indexOf("\r\n\r\n")) >= 0) {
            bool body = false;
            for (const QByteArray &line : head->left(end).split('\n')) {
                const qsizetype colon = line.indexOf(':');
                if (colon < 0)
                    continue;
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
                    body = true;
            }
            if (body) {
                release();
                const QByteArray text = "Not taken: a message is sent with no body.\n";
                socket->write("HTTP/1.1 413 Content Too Large\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: "
                              + QByteArray::number(text.size()) + "\r\nConnection: close\r\n\r\n" + text);
                socket->disconnectFromHost();
                // Nothing more of it reaches the HTTP side.
                socket->readAll();
                return;
            }
            m_headBytes -= end + 4;
            head->remove(0, end + 4);
        }
    });
}
