#include "FeedbackRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

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
    // A limit on the whole request, not only on silence between bytes.
    QTimer::singleShot(m_timeLimit, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool accepted = reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299;
        reply->deleteLater();
        emit DocumentComplete(accepted);
    });
}
