#pragma once

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Carries the feedback request: one plain GET whose reply is not read.
// Its end is reported once, with whether the server took it (HTTP 2xx).
class FeedbackRequest : public QObject {
    Q_OBJECT
public:
    explicit FeedbackRequest(QObject *parent = nullptr);

    // A reply that has not ended after this long counts as failed.
    void setTimeLimit(int milliseconds) { m_timeLimit = milliseconds; }
    void Navigate(const QUrl &url);

    // "http://" + host + "/suggest/post.php?name=…&age=…&comment=…", each
    // text percent-encoded as UTF-8 so the server gets exactly the texts.
    static QUrl feedbackUrl(const QString &host, const QString &name, const QString &email,
                            const QString &comment);

signals:
    void DocumentComplete(bool accepted);

private:
    QNetworkAccessManager *m_network;
    int m_timeLimit = 30000;
};
