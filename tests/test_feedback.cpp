// The feedback window against a real HTTP server on 127.0.0.1.
#include "TestSupport.h"
#include "feedback/FeedbackRequest.h"
#include "feedback/FrmSuggest.h"
#include "main_window/FrmMain.h"
#include "skin/ImageElement.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QUrlQuery>

namespace {

// A small HTTP server: it records each request's target and answers with
// the status it is told, or not at all.
class HttpServer : public QTcpServer {
public:
    int status = 200; // 0: never answer; 1: close without answering
    QByteArray location; // sent with the status when set
    qint64 bodySize = 2; // what Content-Length says; sent as long as the client reads
    qint64 bodySent = 0;
    QList<QByteArray> targets;
    QList<QByteArray> methods;

    HttpServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_buffers[socket] += socket->readAll();
                    if (!m_buffers[socket].contains("\r\n\r\n"))
                        return;
                    const QList<QByteArray> line = m_buffers[socket].left(m_buffers[socket].indexOf("\r\n")).split(' ');
                    methods << line.value(0);
                    targets << line.value(1);
                    if (status == 0)
                        return;
                    if (status == 1) { // closes without an answer
                        socket->disconnectFromHost();
                        return;
                    }
                    socket->write("HTTP/1.1 " + QByteArray::number(status) + " Whatever\r\n"
                                  + (location.isEmpty() ? QByteArray() : "Location: " + location + "\r\n")
                                  + "Content-Length: "
                                  + QByteArray::number(bodySize) + "\r\nConnection: close\r\n\r\n");
                    bodySent = 0;
                    auto more = [this, socket] {
                        while (bodySent < bodySize && socket->bytesToWrite() < (1 << 20)) {
                            const QByteArray chunk(qMin<qint64>(1 << 16, bodySize - bodySent), 'k');
                            bodySent += socket->write(chunk);
                        }
                        if (bodySent >= bodySize)
                            socket->disconnectFromHost();
                    };
                    connect(socket, &QTcpSocket::bytesWritten, socket, more);
                    more();
                });
            }
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

private:
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

// An HTTPS server on 127.0.0.1 with a certificate of a CA made for the
// test (by openssl), answering 200 and recording the targets.
class TlsServer : public QSslServer {
public:
    QList<QByteArray> targets;

    explicit TlsServer(const QString &folder)
    {
        const auto openssl = [&](const QStringList &arguments) {
            return test::run(QStringLiteral("openssl"), arguments, 60000).exitCode == 0;
        };
        const QString dir = folder + QLatin1Char('/');
        QFile extension(dir + QStringLiteral("ext"));
        made = extension.open(QIODevice::WriteOnly) && extension.write("subjectAltName=IP:127.0.0.1\n") > 0;
        extension.close();
        made = made
               && openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", dir + "ca.key", "-out",
                           dir + "ca.pem", "-days", "2", "-subj", "/CN=Tolvik test CA"})
               && openssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", dir + "server.key", "-out",
                           dir + "server.csr", "-subj", "/CN=127.0.0.1"})
               && openssl({"x509", "-req", "-in", dir + "server.csr", "-CA", dir + "ca.pem", "-CAkey", dir + "ca.key",
                           "-CAcreateserial", "-out", dir + "server.pem", "-days", "2", "-extfile", dir + "ext"});
        if (!made)
            return;
        ca = QSslCertificate::fromPath(dir + "ca.pem").value(0);
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(QSslCertificate::fromPath(dir + "server.pem").value(0));
        QFile key(dir + "server.key");
        made = key.open(QIODevice::ReadOnly);
        config.setPrivateKey(QSslKey(&key, QSsl::Rsa));
        setSslConfiguration(config);
        made = made && listen(QHostAddress::LocalHost);
        connect(this, &QSslServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_buffers[socket] += socket->readAll();
                    if (!m_buffers[socket].contains("\r\n\r\n"))
                        return;
                    targets << m_buffers[socket].split(' ').value(1);
                    socket->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    socket->disconnectFromHost();
                });
            }
        });
    }
    bool made = false;
    QSslCertificate ca;

private:
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

} // namespace

class FeedbackTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<HttpServer> m_server;

    FrmSuggest *open()
    {
        m_main->lblFeed_Click();
        return m_main->feedbackWindow();
    }
    static QLineEdit *field(FrmSuggest *w, const char *name) { return w->control<QLineEdit>(name); }
    static QString status(FrmSuggest *w) { return w->control<QLabel>("lblSending")->text(); }
    static void fill(FrmSuggest *w, const QString &name, const QString &mail, const QString &comment)
    {
        field(w, "txtName")->setText(name);
        field(w, "txtEMail")->setText(mail);
        field(w, "txtComment")->setText(comment);
    }
    static void send(FrmSuggest *w) { QTest::mouseClick(w->control<ImageElement>("imgSend"), Qt::LeftButton); }
    static bool sendEnabled(FrmSuggest *w)
    {
        return w->control<ImageElement>("imgSend")->isEnabled() && w->control<QPushButton>("Command1")->isEnabled();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpServer>();
        m_main = test::loadedMainWindow(m_tmp.path(), test::programDir(), m_server->host());
        QVERIFY(m_main);
    }

    void cleanup()
    {
        if (m_main->feedbackWindow())
            m_main->feedbackWindow()->close();
        QApplication::processEvents();
        m_main.reset();
        m_server.reset();
    }

    void sendsExactlyTheTypedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QString>("comment");
        QTest::newRow("plain") << "Ann" << "mail" << "hi";
        QTest::newRow("query characters") << "A&B=C" << "x#y" << "&x=1";
        QTest::newRow("blanks, plus and percent") << "a b+c%" << "a b+c%" << "a b+c% 100%20";
        QTest::newRow("letters outside ASCII") << "Zoë Ångström" << "jürgen@exämple.de" << "日本語のコメント ✓";
        QTest::newRow("at the limits") << QString(50, 'n') << QString(100, 'e') << QString(256, QChar(0x00e9));
        QTest::newRow("single blanks") << " " << " " << " ";
    }

    void sendsExactlyTheTypedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, mail);
        QFETCH(QString, comment);
        FrmSuggest *w = open();
        QVERIFY(w);
        fill(w, name, mail, comment);
        send(w);
        QCOMPARE(status(w), QStringLiteral("Sending..."));
        QVERIFY(!sendEnabled(w));
        QTRY_COMPARE(status(w), QStringLiteral("Finished."));
        QVERIFY(!sendEnabled(w));

        QCOMPARE(m_server->targets.size(), 1);
        QCOMPARE(m_server->methods.first(), QByteArray("GET"));
        const QUrl target = QUrl::fromEncoded("http://x" + m_server->targets.first());
        QCOMPARE(target.path(), QStringLiteral("/suggest/post.php"));
        const auto items = QUrlQuery(target).queryItems(QUrl::FullyDecoded);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].first, QStringLiteral("name"));
        QCOMPARE(items[1].first, QStringLiteral("age"));
        QCOMPARE(items[2].first, QStringLiteral("comment"));
        QCOMPARE(items[0].second, name);
        QCOMPARE(items[1].second, mail);
        QCOMPARE(items[2].second, comment);
    }

    void emptyFieldsArePromptedFor()
    {
        FrmSuggest *w = open();
        QApplication::setActiveWindow(w);
        auto *label = w->control<QLabel>("lblSending");
        QVERIFY(label->isHidden());
        send(w);
        QCOMPARE(status(w), QStringLiteral("Your Name?"));
        QVERIFY(label->isVisible());
        QTRY_VERIFY(field(w, "txtName")->hasFocus());
        field(w, "txtName")->setText(QStringLiteral("Ann"));
        send(w);
        QCOMPARE(status(w), QStringLiteral("Your Email?"));
        QTRY_VERIFY(field(w, "txtEMail")->hasFocus());
        field(w, "txtEMail")->setText(QStringLiteral("ann@example.org"));
        send(w);
        QCOMPARE(status(w), QStringLiteral("Comment?"));
        QTRY_VERIFY(field(w, "txtComment")->hasFocus());
        QVERIFY(sendEnabled(w));
        QTest::qWait(100);
        QVERIFY(m_server->targets.isEmpty());
    }

    void aSecondClickWhileSendingSendsNothing()
    {
        m_server->status = 0;
        FrmSuggest *w = open();
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("hi"));
        send(w);
        send(w);
        QMetaObject::invokeMethod(w->control<QPushButton>("Command1"), "click");
        QTRY_COMPARE(m_server->targets.size(), 1);
        QTest::qWait(200);
        QCOMPARE(m_server->targets.size(), 1);
        QCOMPARE(status(w), QStringLiteral("Sending..."));
    }

    void failuresAreNotReportedAsSent_data()
    {
        QTest::addColumn<int>("serverStatus");
        QTest::newRow("refused") << -1;
        QTest::newRow("404") << 404;
        QTest::newRow("500") << 500;
        QTest::newRow("no answer") << 0;
        QTest::newRow("closed without an answer") << 1;
    }

    void failuresAreNotReportedAsSent()
    {
        QFETCH(int, serverStatus);
        FrmSuggest *w = open();
        if (serverStatus < 0)
            m_server->close(); // nothing listens there any more
        else
            m_server->status = serverStatus;
        w->request()->setTimeLimit(500);
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("hi"));
        send(w);
        QTRY_COMPARE(status(w), QStringLiteral("Not sent."));
        QVERIFY(sendEnabled(w));
        // One click, one request: never sent again by itself.
        QTest::qWait(300);
        QCOMPARE(m_server->targets.size(), serverStatus == -1 ? 0 : 1);
        // Once the server answers, sending again works without typing again.
        if (serverStatus >= 0) {
            m_server->status = 200;
            send(w);
            QTRY_COMPARE(status(w), QStringLiteral("Finished."));
            QCOMPARE(m_server->targets.size(), 2);
        }
    }

    // A redirect goes on to http, or to https with the certificate checked;
    // anywhere else it is refused with a reason, and nothing crashes.
    void redirectsAreFollowedOnlyToTheWeb_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("reason");
        QTest::newRow("to a local file") << "file:///etc/passwd" << "Not sent." << "not on the web";
        QTest::newRow("to another scheme") << "ftp://127.0.0.1/x" << "Not sent." << "not on the web";
        QTest::newRow("to https, trusted") << "https" << "Finished." << "";
        QTest::newRow("to https, not trusted") << "https-untrusted" << "Not sent." << "certificate";
    }
    void redirectsAreFollowedOnlyToTheWeb()
    {
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QFETCH(QString, reason);
        const QSslConfiguration defaults = QSslConfiguration::defaultConfiguration();
        const auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(defaults); });
        std::unique_ptr<TlsServer> tls;
        if (to.startsWith(QLatin1String("https"))) {
            if (!QSslSocket::supportsSsl() || !test::hostToolsRun())
                QSKIP("no TLS backend, or no openssl to make certificates");
            tls = std::make_unique<TlsServer>(m_tmp.path());
            QVERIFY2(tls->made, "the test's TLS server could not be set up");
            if (to == QLatin1String("https")) {
                QSslConfiguration trusting = defaults;
                trusting.addCaCertificate(tls->ca);
                QSslConfiguration::setDefaultConfiguration(trusting);
            }
            to = QStringLiteral("https://127.0.0.1:%1/suggest/post.php?name=Ann").arg(tls->serverPort());
        }
        m_server->status = 301;
        m_server->location = to.toUtf8();
        FrmSuggest *w = open();
        w->request()->setTimeLimit(10000);
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("hi"));
        send(w);
        QTRY_COMPARE_WITH_TIMEOUT(status(w), expected, 15000);
        const QString tip = w->control<QLabel>("lblSending")->toolTip();
        QVERIFY2(reason.isEmpty() ? tip.isEmpty() : tip.contains(reason), qPrintable(tip));
        if (tls)
            QCOMPARE(tls->targets.size(), expected == QLatin1String("Finished.") ? 1 : 0);
        QTest::qWait(100); // a late event of the dropped socket must find nothing to run on
    }

    void anEndlessReplyIsNotRead()
    {
        m_server->bodySize = qint64(1) << 40; // a terabyte, were it read
        FrmSuggest *w = open();
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("hi"));
        const long before = test::residentKiB();
        send(w);
        QTRY_COMPARE_WITH_TIMEOUT(status(w), QStringLiteral("Finished."), 10000);
        QTest::qWait(200);
        QVERIFY2(m_server->bodySent < (qint64(64) << 20), qPrintable(QString::number(m_server->bodySent)));
        QVERIFY(test::residentKiB() - before < 64 * 1024);
    }

    void closingWhileSendingAbandonsTheRequest()
    {
        m_server->status = 0;
        FrmSuggest *w = open();
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("hi"));
        send(w);
        QTRY_COMPARE(m_server->targets.size(), 1);
        QTest::mouseClick(w->control<ImageElement>("imgExit"), Qt::LeftButton);
        QTRY_VERIFY(!m_main->feedbackWindow());
        QTest::qWait(100);

        // Opened anew: empty, and sending works again.
        m_server->status = 200;
        w = open();
        QCOMPARE(field(w, "txtName")->text(), QString());
        QVERIFY(w->control<QLabel>("lblSending")->isHidden());
        QVERIFY(sendEnabled(w));
        fill(w, QStringLiteral("Bo"), QStringLiteral("m"), QStringLiteral("c"));
        send(w);
        QTRY_COMPARE(status(w), QStringLiteral("Finished."));
        QTest::mouseClick(w->control<ImageElement>("imgBack"), Qt::LeftButton);
        QTRY_VERIFY(!m_main->feedbackWindow());
    }

    // Enter in a field sends, Escape closes; with no room under the main
    // window it opens where the main window (on top) hides none of it.
    void theKeyboardAndAWindowNeverHidden()
    {
        FrmSuggest *w = open();
        fill(w, QStringLiteral("Ann"), QStringLiteral("mail"), QStringLiteral("by keys"));
        QTest::keyClick(field(w, "txtComment"), Qt::Key_Return);
        QTRY_COMPARE(status(w), QStringLiteral("Finished."));
        QCOMPARE(m_server->targets.size(), 1);
        QTest::keyClick(field(w, "txtName"), Qt::Key_Escape);
        QTRY_VERIFY(!m_main->feedbackWindow());

        const QRect screen = m_main->screen()->availableGeometry();
        m_main->move(screen.left() + 100, screen.bottom() - m_main->frameGeometry().height() - 10);
        w = open();
        QVERIFY2(!w->frameGeometry().intersects(m_main->frameGeometry()), "the feedback window lies under the main window");
        QVERIFY(screen.contains(w->frameGeometry()));
        w->close();
    }

    void theLinkOpensOneWindowUnderTheMainWindow()
    {
        FrmSuggest *w = open();
        QVERIFY(w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("frmSuggest"));
        QCOMPARE(w->windowTitle(), QStringLiteral("FeedBack"));
        QCOMPARE(w->size(), QSize(327, 177));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w->parentWidget());
        const QRect main = m_main->frameGeometry();
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(main.left() + (main.width() - 327) / 2, main.bottom() + 1));
        QCOMPARE(FrmSuggest::placementUnder(QRect(100, 200, 395, 219), 327), QPoint(134, 419));
        QCOMPARE(FrmSuggest::placementUnder(QRect(0, 900, 400, 220), 327), QPoint(37, 1120)); // .5 rounds
        // Kept on the screen, moved the least distance.
        const QRect screen(0, 0, 1280, 1024);
        const QSize size(327, 177);
        QCOMPARE(FrmSuggest::keptOnScreen({134, 419}, size, screen), QPoint(134, 419));
        QCOMPARE(FrmSuggest::keptOnScreen({37, 1120}, size, screen), QPoint(37, 847));
        QCOMPARE(FrmSuggest::keptOnScreen({1100, -30}, size, screen), QPoint(953, 0));
        QCOMPARE(FrmSuggest::keptOnScreen({-50, 500}, size, QRect(1280, 0, 1024, 768)), QPoint(1280, 500));

        field(w, "txtName")->setText(QStringLiteral("kept"));
        field(w, "txtEMail")->setFocus();
        const QPoint where = w->pos();
        FrmSuggest *again = open();
        QCOMPARE(again, w);
        QCOMPARE(field(w, "txtName")->text(), QStringLiteral("kept"));
        QCOMPARE(w->pos(), where);
        int windows = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            windows += qobject_cast<FrmSuggest *>(top) && top->isVisible();
        QCOMPARE(windows, 1);

        // A main window at the bottom of the screen: the feedback window
        // still lies wholly on it, and not behind the main window.
        w->close();
        QTRY_VERIFY(!m_main->feedbackWindow());
        const QRect area = m_main->screen()->availableGeometry();
        m_main->move(area.left() + 40, area.bottom() - 100);
        w = open();
        QVERIFY2(area.contains(w->frameGeometry()), qPrintable(QStringLiteral("%1,%2").arg(w->x()).arg(w->y())));
        QVERIFY(!w->frameGeometry().intersects(m_main->frameGeometry()));
    }

    void fieldsKeepTheirLimits()
    {
        FrmSuggest *w = open();
        const std::pair<const char *, int> limits[] = {{"txtName", 50}, {"txtEMail", 100}, {"txtComment", 256}};
        for (const auto &[name, limit] : limits) {
            QLineEdit *edit = field(w, name);
            QApplication::clipboard()->setText(QString(limit + 40, 'p'));
            edit->clear();
            edit->paste();
            QCOMPARE(edit->text(), QString(limit, 'p'));
            edit->clear();
            QTest::keyClicks(edit, QString(limit + 5, 'k'));
            QCOMPARE(edit->text().size(), limit);
        }
        QCOMPARE(field(w, "txtName")->toolTip(), QStringLiteral("Your Name"));
        QCOMPARE(field(w, "txtEMail")->toolTip(), QStringLiteral("Email"));
        QVERIFY(w->control<QPushButton>("Command1")->isHidden());
        QVERIFY(w->control<QPushButton>("Command2")->isHidden());
        QCOMPARE(w->control<QPushButton>("Command1")->text(), QStringLiteral("Send"));
    }

    void hoverLooksAndTheirReset()
    {
        FrmSuggest *w = open();
        for (const char *name : {"imgSend", "imgBack", "imgExit"}) {
            auto *hot = w->control<ImageElement>(name);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), hot->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(hot, &move);
            QCOMPARE(hot->picture().toImage(),
                     w->control<ImageElement>((QByteArray(name) + "Light").constData())->picture().toImage());
        }
        QMouseEvent surface(QEvent::MouseMove, QPointF(20, 150), w->mapToGlobal(QPointF(20, 150)), Qt::NoButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &surface);
        for (const char *name : {"imgSend", "imgBack", "imgExit"})
            QVERIFY(!w->control<ImageElement>(name)->hasPicture());
    }
};

QTEST_MAIN(FeedbackTest)
#include "test_feedback.moc"
