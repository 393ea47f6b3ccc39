#pragma once

#include <QHash>
#include <QTcpServer>

class QTcpSocket;

// The listening socket, with the limits no client may pass: each
// connection lives at most `lifetimeMs` (a client that sends slowly, or
// not at all, is cut off), one address holds at most `perAddress`
// connections at once, and all hold at most `total`. A connection over a
// limit is closed at once, before anything of it is read. A request is a
// GET: one that announces a body (a length above 0, or chunks) is answered
// 413 and closed before its body is read, and the request heads being
// read by all connections together hold at most `headBytes`.
class GuardedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    struct Limits {
        int lifetimeMs = 10000;
        int perAddress = 32;
        int total = 1024;
        qint64 headBytes = 64 << 20;
    };

    explicit GuardedTcpServer(Limits limits, QObject *parent = nullptr);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    // Watches what `socket` sends before the HTTP side reads it.
    void guardHeads(QTcpSocket *socket);

    Limits m_limits;
    qint64 m_headBytes = 0; // of all connections' heads being read
    int m_open = 0;
    QHash<QString, int> m_openByAddress;
};
