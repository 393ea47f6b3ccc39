#pragma once

#include "AddressLimits.h"

#include <QAbstractHttpServer>

class FeedbackStore;

// Answers the program's one request, GET /suggest/post.php?name=…&age=…
// &comment=…: 200 once the message is stored; 400 for a malformed one,
// 413 for a field over its bound, 404 and 405 for other paths and
// methods, 429 for an address over its limit, 507 when there is no room.
// A refused request changes nothing.
class FeedbackServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    FeedbackServer(FeedbackStore &store, AddressLimits limits, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    FeedbackStore &m_store;
    AddressLimits m_limits;
};
