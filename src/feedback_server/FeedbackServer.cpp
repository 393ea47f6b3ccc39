#include "FeedbackServer.h"

#include "FeedbackQuery.h"
#include "FeedbackStore.h"

#include <QDateTime>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTextStream>

namespace {

using Status = QHttpServerResponder::StatusCode;

void answer(QHttpServerResponder &responder, Status status, const QString &text, const QByteArray &extraKey = {},
            const QByteArray &extraValue = {})
{
    const QByteArray body = text.toUtf8() + '\n';
    responder.writeStatusLine(status);
    responder.writeHeader("Content-Type", "text/plain; charset=utf-8");
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeHeader("Connection", "close");
    if (!extraKey.isEmpty())
        responder.writeHeader(extraKey, extraValue);
    responder.writeBody(body);
}

QString addressOf(const QHttpServerRequest &request)
{
    QHostAddress address = request.remoteAddress();
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4).toString() : address.toString();
}

} // namespace

FeedbackServer::FeedbackServer(FeedbackStore &store, AddressLimits limits, QObject *parent)
    : QAbstractHttpServer(parent), m_store(store), m_limits(limits)
{
}

bool FeedbackServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // One request a connection, closed once answered: Qt's server would
    // keep an HTTP/1.0 client's connection open until it gives up.
    const auto closeAfter = qScopeGuard([socket] { socket->disconnectFromHost(); });
    QHttpServerResponder responder = makeResponder(request, socket);
    const QUrl url = request.url();
    if (url.path(QUrl::FullyEncoded) != QLatin1String("/suggest/post.php")) {
        answer(responder, Status::NotFound, QStringLiteral("Not found: only /suggest/post.php is here."));
        return true;
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        answer(responder, Status::MethodNotAllowed, QStringLiteral("Only GET is taken here."), "Allow", "GET");
        return true;
    }
    FeedbackMessage message;
    QString why;
    switch (FeedbackQuery::read(url.query(QUrl::FullyEncoded).toLatin1(), &message, &why)) {
    case FeedbackQuery::Verdict::Taken: break;
    case FeedbackQuery::Verdict::Malformed: answer(responder, Status::BadRequest, QStringLiteral("Not taken: ") + why); return true;
    case FeedbackQuery::Verdict::TooLong: answer(responder, Status::PayloadTooLarge, QStringLiteral("Not taken: ") + why); return true;
    }
    message.address = addressOf(request);
    if (!m_limits.take(message.address)) {
        answer(responder, Status::TooManyRequests, QStringLiteral("Not taken: too many messages from this address; try later."),
               "Retry-After", QByteArray::number(std::max(1, m_limits.waitSeconds(message.address))));
        return true;
    }
    message.received = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    switch (m_store.add(message, &why)) {
    case FeedbackStore::Added::Stored:
        answer(responder, Status::Ok, QStringLiteral("Thank you: the message is stored."));
        break;
    case FeedbackStore::Added::Full:
        answer(responder, Status::InsufficientStorage, QStringLiteral("Not taken: the server has no room left."));
        QTextStream(stderr) << "tolvik-feedback-server: the database is full: " << why << Qt::endl;
        break;
    case FeedbackStore::Added::Failed:
        answer(responder, Status::InternalServerError, QStringLiteral("Not taken: the message could not be stored."));
        QTextStream(stderr) << "tolvik-feedback-server: cannot store a message: " << why << Qt::endl;
        break;
    }
    return true;
}

void FeedbackServer::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
    // Every request is answered in handleRequest().
}
