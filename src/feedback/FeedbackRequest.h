#pragma once

#include <QObject>
#include <QUrl>

class QTcpSocket;
class QTimer;

// Carries the feedback request: one HTTP GET per Navigate, never sent
// again by itself (a network stack's automatic retries would make one
// click several submissions), whose body is not read. Its end is reported
// once, with whether the server took it (HTTP 2xx) and, when it did not,
// why. A redirect (3xx with a Location) is followed, at most a few times,
// to http, or to https over TLS with the certificate checked where Qt has
// a TLS backend; any other address is refused.
class FeedbackRequest : public QObject {
    Q_OBJECT
public:
    explicit FeedbackRequest(QObject *parent = nullptr);

    // A request that has not ended after this long counts as failed.
    void setTimeLimit(int milliseconds) { m_timeLimit = milliseconds; }
    void Navigate(const QUrl &url);
    // Why the last request was not taken, in a few words; empty when it was.
    const QString &failure() const { return m_failure; }

    // "http://" + host + "/suggest/post.php?name=…&age=…&comment=…", each
    // text percent-encoded as UTF-8 so the server gets exactly the texts.
    static QUrl feedbackUrl(const QString &host, const QString &name, const QString &email,
                            const QString &comment);

signals:
    void DocumentComplete(bool accepted);

private:
    void send(const QUrl &url);
    void readHead();
    void dropSocket();
    void finish(bool accepted, const QString &why = {});

    QTcpSocket *m_socket = nullptr;
    QTimer *m_limit;
    QByteArray m_head;
    QUrl m_url;
    QString m_failure;
    int m_redirects = 0;
    int m_timeLimit = 30000;
};
