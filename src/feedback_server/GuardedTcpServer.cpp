#include "GuardedTcpServer.h"

#include <QTcpSocket>
#include <QTimer>

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
    // The HTTP side deletes a socket once it is closed.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(m_limits.lifetimeMs, socket, [socket] { socket->abort(); });
    addPendingConnection(socket);
    emit newConnection();
}
