#pragma once

#include <QHash>
#include <QTcpServer>

// The listening socket, with the limits no client may pass: each
// connection lives at most `lifetimeMs` (a client that sends slowly, or
// not at all, is cut off), one address holds at most `perAddress`
// connections at once, and all hold at most `total`. A connection over a
// limit is closed at once, before anything of it is read.
class GuardedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    struct Limits {
        int lifetimeMs = 10000;
        int perAddress = 32;
        int total = 1024;
    };

    explicit GuardedTcpServer(Limits limits, QObject *parent = nullptr);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    Limits m_limits;
    int m_open = 0;
    QHash<QString, int> m_openByAddress;
};
