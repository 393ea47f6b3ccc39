// The maker's feedback server for real: started by the test on 127.0.0.1,
// fed by the program's own feedback window and by hostile clients, killed
// mid-flood; what it stored read back with the sqlite3 tool.
#include "TestSupport.h"
#include "feedback/FrmSuggest.h"
#include "main_window/FrmMain.h"
#include "skin/ImageElement.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// A running server and its port.
struct Server {
    std::unique_ptr<QProcess> process;
    quint16 port = 0;
};

Server startServer(const QString &database, const QStringList &options = {})
{
    Server server;
    server.process = std::make_unique<QProcess>();
    server.process->start(QStringLiteral(TOLVIK_FEEDBACK_SERVER),
                          QStringList{"--database", database, "--port", "0"} + options);
    if (!server.process->waitForStarted() || !server.process->waitForReadyRead(10000))
        return server;
    const auto found = QRegularExpression(QStringLiteral("port (\\d+)")).match(QString::fromLatin1(server.process->readLine()));
    server.port = quint16(found.captured(1).toUInt());
    return server;
}

// The status of the answer to `request`, sent whole; 0 when the
// connection closed without one.
int statusOf(quint16 port, const QByteArray &request, QByteArray *answer = nullptr)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return -1;
    socket.write(request);
    QByteArray got;
    while (!got.contains("\r\n\r\n") && socket.waitForReadyRead(5000))
        got += socket.readAll();
    if (answer)
        *answer = got;
    return got.startsWith("HTTP/1.1 ") ? got.mid(9, 3).toInt() : 0;
}

QByteArray get(const QByteArray &query)
{
    return "GET /suggest/post.php?" + query + " HTTP/1.1\r\nHost: x\r\n\r\n";
}

QString sqlite(const QString &database, const QString &sql)
{
    return QString::fromUtf8(test::run(QStringLiteral("sqlite3"), {database, sql}).out).trimmed();
}

} // namespace

class FeedbackServerTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

    QString path(const QString &name) const { return m_tmp.filePath(name); }

private slots:
    // The program's window sends; the server stores exactly what was typed
    // with its time and address; --list and --csv give it back. A build
    // with no server says so and sends nothing.
    void theProgramsMessageIsStored()
    {
        const QString db = path(QStringLiteral("program.sqlite"));
        Server server = startServer(db);
        QVERIFY2(server.port, "the server did not start");
        const QString name = QStringLiteral("Zoë & Co = 100%+"), mail = QStringLiteral("zoë@exämple.de"),
                      comment = QStringLiteral("日本語 ✓ a+b c%20 \\ \"quoted\"");
        for (const QString &host : {QString(), QStringLiteral("127.0.0.1:%1").arg(server.port)}) {
            auto main = test::loadedMainWindow(m_tmp.path(), test::programDir(), host);
            QVERIFY(main);
            main->lblFeed_Click();
            FrmSuggest *w = main->feedbackWindow();
            w->control<QLineEdit>("txtName")->setText(name);
            w->control<QLineEdit>("txtEMail")->setText(mail);
            w->control<QLineEdit>("txtComment")->setText(comment);
            QTest::mouseClick(w->control<ImageElement>("imgSend"), Qt::LeftButton);
            const QString expected = host.isEmpty() ? QStringLiteral("Feedback is not set up in this copy of Tolvik")
                                                    : QStringLiteral("Finished.");
            QTRY_COMPARE_WITH_TIMEOUT(w->control<QLabel>("lblSending")->text(), expected, 10000);
            w->close();
        }
        QCOMPARE(sqlite(db, QStringLiteral("SELECT name, email, comment, address FROM messages")),
                 name + '|' + mail + '|' + comment + QStringLiteral("|127.0.0.1"));
        const QDateTime received = QDateTime::fromString(sqlite(db, QStringLiteral("SELECT received FROM messages")), Qt::ISODateWithMs);
        QVERIFY(qAbs(received.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        const auto exported = [&](const char *option) {
            return QString::fromUtf8(test::run(QStringLiteral(TOLVIK_FEEDBACK_SERVER), {"--database", db, option}).out);
        };
        QVERIFY2(exported("--csv").endsWith(QStringLiteral("\"%1\",\"%2\",\"%3\"\r\n").arg(name, mail, QString(comment).replace("\"", "\"\""))),
                 qPrintable(exported("--csv")));
        QVERIFY2(exported("--list").endsWith(QStringLiteral("\t%1\t%2\t%3\n").arg(name, mail, QString(comment).replace("\\", "\\\\"))),
                 qPrintable(exported("--list")));
        server.process->kill();
        server.process->waitForFinished();
    }

    // What a visitor typed is exported inert: no CSV field a spreadsheet
    // runs as a formula, no control character that reaches a terminal.
    void exportsAreInert()
    {
        const QString db = path(QStringLiteral("inert.sqlite"));
        QCOMPARE(test::run(QStringLiteral(TOLVIK_FEEDBACK_SERVER), {"--database", db, "--list"}).exitCode, 0);
        const struct {
            QString comment, csv, list;
        } rows[] = {
            {"=HYPERLINK(\"http://evil.example/\",\"x\")", "\"'=HYPERLINK(\"\"http://evil.example/\"\",\"\"x\"\")\"",
             "=HYPERLINK(\"http://evil.example/\",\"x\")"},
            {"+1+2", "\"'+1+2\"", "+1+2"},
            {"-1", "\"'-1\"", "-1"},
            {"@SUM(1+1)", "\"'@SUM(1+1)\"", "@SUM(1+1)"},
            {"\t=1", "\"'\t=1\"", "\\t=1"},
            {"ok = fine", "\"ok = fine\"", "ok = fine"},
            {"\x1b]0;owned\x07title", "\"\x1b]0;owned\x07title\"", "\\x1b]0;owned\\x07title"},
            {"\x1b[2Jclear\x7f", "\"\x1b[2Jclear\x7f\"", "\\x1b[2Jclear\\x7f"},
            {QStringLiteral("c1\u009b2J"), QStringLiteral("\"c1\u009b2J\""), "c1\\u009b2J"},
        };
        for (const auto &row : rows) {
            QString sqlText = row.comment;
            sqlite(db, QStringLiteral("DELETE FROM messages; INSERT INTO messages (received, address, name, email, comment) "
                                      "VALUES ('t', '127.0.0.1', 'n', 'e', '%1')").arg(sqlText.replace('\'', "''")));
            const auto exported = [&](const char *option) {
                return QString::fromUtf8(test::run(QStringLiteral(TOLVIK_FEEDBACK_SERVER), {"--database", db, option}).out);
            };
            QVERIFY2(exported("--csv").endsWith(QStringLiteral(",\"n\",\"e\",%1\r\n").arg(row.csv)), qPrintable(exported("--csv")));
            QVERIFY2(exported("--list").endsWith(QStringLiteral("\tn\te\t%1\n").arg(row.list)), qPrintable(exported("--list")));
        }
    }

    // What a client may send wrong gets a clear status and stores nothing;
    // floods, slow clients and a full database are limited; the server
    // stays up throughout.
    void badInputsChangeNothing()
    {
        const QString db = path(QStringLiteral("bad.sqlite"));
        Server server = startServer(db, {"--burst", "4", "--every", "3600", "--timeout", "1", "--connections", "6",
                                         "--max-size", "1"});
        QVERIFY2(server.port, "the server did not start");
        const QByteArray field(64 * 1024, 'x');
        const struct {
            const char *what;
            QByteArray request;
            int status;
        } cases[] = {
            {"another method", "POST /suggest/post.php?name=a HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 405},
            {"another path", "GET /admin?name=a HTTP/1.1\r\nHost: x\r\n\r\n", 404},
            {"a path beside it", "GET /suggest/post.php/x?name=a HTTP/1.1\r\nHost: x\r\n\r\n", 404},
            {"no name", get("age=a&comment=b"), 400},
            {"an empty name", get("name=&age=a&comment=b"), 400},
            {"the name twice", get("name=a&name=b"), 400},
            {"invalid UTF-8", get("name=%C3%28&age=a&comment=b"), 400},
            {"an overlong encoding", get("name=%C0%AF"), 400},
            {"a field over 64 KiB", get("name=a&comment=" + field + "x"), 413},
            {"not HTTP", "HELLO\r\n\r\n", 0},
            {"a body that never ends", "GET /suggest/post.php?name=a HTTP/1.1\r\nHost: x\r\nContent-Length: 100000000000\r\n\r\nxx", 413},
            {"a body in chunks", "GET /suggest/post.php?name=a HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n", 413},
        };
        for (const auto &c : cases)
            QVERIFY2(statusOf(server.port, c.request) == c.status, c.what);
        QCOMPARE(sqlite(db, QStringLiteral("SELECT count(*) FROM messages")), QStringLiteral("0"));

        // A field of exactly 64 KiB is taken; four from one address, then 429.
        QCOMPARE(statusOf(server.port, get("name=a&comment=" + field)), 200);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(statusOf(server.port, get("name=b&comment=" + QByteArray::number(i))), 200);
        QByteArray answer;
        QCOMPARE(statusOf(server.port, get("name=c"), &answer), 429);
        QVERIFY2(answer.contains("Retry-After: "), answer.constData());

        // A client that sends nothing is cut off after the timeout; one
        // address holds six connections at most.
        QList<QTcpSocket *> idle;
        for (int i = 0; i < 8; ++i) {
            idle << new QTcpSocket(this);
            idle.last()->connectToHost(QHostAddress::LocalHost, server.port);
            QVERIFY(idle.last()->waitForConnected(5000));
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::count_if(idle.cbegin(), idle.cend(), [](QTcpSocket *s) { return s->state() == QAbstractSocket::UnconnectedState; }) == 2, 900);
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(idle.cbegin(), idle.cend(), [](QTcpSocket *s) { return s->state() == QAbstractSocket::UnconnectedState; }), 5000);
        qDeleteAll(idle);
        QCOMPARE(server.process->state(), QProcess::Running);
        server.process->kill();
        server.process->waitForFinished();

        // A database with no room left (capped at 1 MiB, as a full disk):
        // 507, nothing half-stored, and it takes messages again once room is made.
        server = startServer(db, {"--burst", "0", "--max-size", "1"});
        int status = 200, stored = 0;
        for (int i = 0; i < 40 && status == 200; ++i) {
            status = statusOf(server.port, get("name=full&comment=" + field));
            stored += status == 200;
        }
        QCOMPARE(status, 507);
        QCOMPARE(sqlite(db, QStringLiteral("SELECT count(*) FROM messages WHERE name='full'")), QString::number(stored));
        QCOMPARE(sqlite(db, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        server.process->kill();
        server.process->waitForFinished();
    }

    // Killed (-9) while eight clients send as fast as they can: every
    // message it acknowledged is in the database, which is whole.
    void aKillLosesNoAcknowledgedMessage()
    {
        const QString db = path(QStringLiteral("flood.sqlite"));
        QSet<QString> acknowledged;
        for (int round = 0; round < 3; ++round) {
            Server server = startServer(db, {"--burst", "0"});
            QVERIFY2(server.port, "the server did not start");
            QList<QTcpSocket *> clients;
            int sent = 0;
            const auto sendNext = [&](QTcpSocket *socket) {
                const QByteArray tag = QStringLiteral("r%1-m%2").arg(round).arg(sent++).toLatin1();
                socket->setProperty("tag", tag);
                socket->setProperty("answer", QByteArray());
                socket->connectToHost(QHostAddress::LocalHost, server.port);
                socket->write(get("name=flood&comment=" + tag));
            };
            for (int i = 0; i < 8; ++i) {
                auto *socket = new QTcpSocket(this);
                clients << socket;
                connect(socket, &QTcpSocket::readyRead, this, [&, socket] {
                    const QByteArray answer = socket->property("answer").toByteArray() + socket->readAll();
                    socket->setProperty("answer", answer);
                    if (!answer.contains("\r\n\r\n"))
                        return;
                    if (answer.startsWith("HTTP/1.1 200"))
                        acknowledged.insert(QString::fromLatin1(socket->property("tag").toByteArray()));
                    socket->abort();
                    sendNext(socket);
                });
                sendNext(socket);
            }
            const qsizetype before = acknowledged.size();
            QTRY_VERIFY_WITH_TIMEOUT(acknowledged.size() >= before + 50 + 40 * round, 30000);
            ::kill(pid_t(server.process->processId()), SIGKILL);
            server.process->waitForFinished();
            for (QTcpSocket *socket : clients)
                socket->disconnect(this);
            qDeleteAll(clients);
            QCOMPARE(sqlite(db, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
            const QStringList rows = sqlite(db, QStringLiteral("SELECT comment FROM messages")).split('\n');
            const QSet<QString> present(rows.begin(), rows.end());
            QVERIFY2(present.contains(acknowledged), qPrintable(QStringLiteral("%1 acknowledged messages are missing").arg((acknowledged - present).size())));
        }
    }
};

QTEST_MAIN(FeedbackServerTest)
#include "test_feedback_server.moc"
