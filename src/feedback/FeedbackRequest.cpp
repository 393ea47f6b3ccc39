#include "FeedbackRequest.h"

#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Only the head of the answer is read, and only this much of it.
constexpr qsizetype maxHeadBytes = 16 * 1024;
constexpr int maxRedirects = 5;

} // namespace

FeedbackRequest::FeedbackRequest(QObject *parent) : QObject(parent), m_limit(new QTimer(this))
{
    m_limit->setSingleShot(true);
    connect(m_limit, &QTimer::timeout, this, [this] { finish(false, QStringLiteral("the server did not answer in time")); });
}

QUrl FeedbackRequest::feedbackUrl(const QString &host, const QString &name, const QString &email,
                                  const QString &comment)
{
    // The e-mail address travels under the key "age": the server expects it there.
    const QByteArray address = "http://" + host.toUtf8() + "/suggest/post.php?name="
                               + QUrl::toPercentEncoding(name) + "&age=" + QUrl::toPercentEncoding(email)
                               + "&comment=" + QUrl::toPercentEncoding(comment);
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}

void FeedbackRequest::Navigate(const QUrl &url)
{
    m_redirects = 0;
    m_failure.clear();
    // A limit on the whole request, not only on silence between bytes.
    m_limit->start(m_timeLimit);
    send(url);
}

void FeedbackRequest::dropSocket()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort(); // the body is never wanted
    m_socket->deleteLater();
    m_socket = nullptr;
}

void FeedbackRequest::send(const QUrl &url)
{
    dropSocket();
    m_url = url;
    m_head.clear();
    const bool secure = url.scheme() == QLatin1String("https");
    QString refused;
    if ((url.scheme() != QLatin1String("http") && !secure) || url.host().isEmpty())
        refused = QStringLiteral("the server sent it on to an address that is not on the web (%1)")
                      .arg(url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery).left(200));
    else if (secure && !QSslSocket::supportsSsl())
        refused = QStringLiteral("the server sent it on to a secure address, and this copy of Tolvik cannot use one");
    if (!refused.isEmpty()) {
        QTimer::singleShot(0, this, [this, refused] { finish(false, refused); });
        return;
    }
    QSslSocket *tls = secure ? new QSslSocket(this) : nullptr;
    m_socket = tls ? tls : new QTcpSocket(this);
    m_socket->setReadBufferSize(maxHeadBytes);
    const auto request = [this] {
        QByteArray host = m_url.host(QUrl::FullyEncoded).toLatin1();
        if (m_url.port() != -1)
            host += ':' + QByteArray::number(m_url.port());
        const QByteArray target = m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
        m_socket->write("GET " + (target.isEmpty() ? QByteArray("/") : target) + " HTTP/1.1\r\nHost: " + host
                        + "\r\nConnection: close\r\nAccept: */*\r\n\r\n");
    };
    // Over TLS the request waits for the handshake, and its checks.
    if (tls)
        connect(tls, &QSslSocket::encrypted, this, request);
    else
        connect(m_socket, &QTcpSocket::connected, this, request);
    connect(m_socket, &QTcpSocket::readyRead, this, &FeedbackRequest::readHead);
    // Closed or failed before a status line: not sent, and not sent again.
    connect(m_socket, &QTcpSocket::disconnected, this,
            [this] { finish(false, QStringLiteral("the server closed the connection without an answer")); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        finish(false, error == QAbstractSocket::SslHandshakeFailedError
                          ? QStringLiteral("the secure server's certificate cannot be trusted")
                          : m_socket ? m_socket->errorString() : QString());
    });
    if (tls)
        tls->connectToHostEncrypted(m_url.host(), static_cast<quint16>(m_url.port(443)));
    else
        m_socket->connectToHost(m_url.host(), static_cast<quint16>(m_url.port(80)));
}

void FeedbackRequest::readHead()
{
    m_head += m_socket->read(maxHeadBytes - m_head.size());
    const qsizetype lineEnd = m_head.indexOf("\r\n");
    if (lineEnd < 0) {
        if (m_head.size() >= maxHeadBytes)
            finish(false, QStringLiteral("the server's answer is not HTTP"));
        return;
    }
    // "HTTP/1.1 200 OK"
    const QList<QByteArray> status = m_head.left(lineEnd).split(' ');
    const int code = status.value(1).toInt();
    if (!status.value(0).startsWith("HTTP/") || code < 100) {
        finish(false, QStringLiteral("the server's answer is not HTTP"));
        return;
    }
    if (code < 300 || code >= 400) {
        const bool taken = code >= 200 && code <= 299;
        finish(taken, taken ? QString() : QStringLiteral("the server answered %1").arg(code));
        return;
    }
    const qsizetype headEnd = m_head.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        if (m_head.size() >= maxHeadBytes)
            finish(false, QStringLiteral("the server's answer is not HTTP"));
        return;
    }
    QByteArray location;
    for (const QByteArray &line : m_head.left(headEnd).split('\n')) {
        if (line.trimmed().toLower().startsWith("location:"))
            location = line.mid(line.indexOf(':') + 1).trimmed();
    }
    if (location.isEmpty() || ++m_redirects > maxRedirects) {
        finish(false, location.isEmpty() ? QStringLiteral("the server answered %1").arg(code)
                                         : QStringLiteral("the server sent it on too many times"));
        return;
    }
    send(m_url.resolved(QUrl::fromEncoded(location)));
}

void FeedbackRequest::finish(bool accepted, const QString &why)
{
    if (!m_limit->isActive() && !accepted && !m_socket)
        return; // already reported
    m_limit->stop();
    dropSocket();
    m_failure = accepted ? QString() : why.isEmpty() ? QStringLiteral("the request failed") : why;
    emit DocumentComplete(accepted);
}
