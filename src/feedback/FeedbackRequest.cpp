#include "FeedbackRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

FeedbackRequest::FeedbackRequest(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
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
    QNetworkReply *reply = m_network->get(QNetworkRequest(url));
    // Only the status matters: the body is never wanted, so at most a few
    // KiB of it are ever held, whatever the server sends.
    reply->setReadBufferSize(4096);
    // A limit on the whole request, not only on silence between bytes.
    QTimer::singleShot(m_timeLimit, reply, &QNetworkReply::abort);
    auto status = std::make_shared<int>(0);
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, status] {
        const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (code >= 200 && (code < 300 || code >= 400)) { // redirects are followed
            *status = code;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, status] {
        int code = *status;
        if (code == 0 && reply->error() == QNetworkReply::NoError)
            code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        reply->deleteLater();
        emit DocumentComplete(code >= 200 && code <= 299);
    });
}
