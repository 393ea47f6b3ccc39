// tolvik-feedback-server: receives the messages of Tolvik's feedback
// window and keeps them in an SQLite database; lists and exports them.
#include "FeedbackServer.h"
#include "FeedbackStore.h"
#include "GuardedTcpServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QTextStream>

#include <csignal>

namespace {

int fail(const QString &why)
{
    QTextStream(stderr) << "tolvik-feedback-server: " << why << Qt::endl;
    return 1;
}

// A positive whole number from an option, or `fallback` when not given.
bool number(const QCommandLineParser &parser, const QString &option, qint64 *value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    *value = parser.value(option).toLongLong(&ok);
    return ok && *value >= 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvik-feedback-server"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVIK_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Receives the messages of Tolvik's feedback window (GET /suggest/post.php) "
                                                    "and keeps them in an SQLite database."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("database"), QStringLiteral("The database file (made when missing)."), QStringLiteral("file"),
         QStringLiteral("feedback.sqlite")},
        {QStringLiteral("listen"), QStringLiteral("The address to listen on (default 127.0.0.1)."), QStringLiteral("address"),
         QStringLiteral("127.0.0.1")},
        {QStringLiteral("port"), QStringLiteral("The port to listen on (default 8080; 0: any free one)."), QStringLiteral("port"),
         QStringLiteral("8080")},
        {QStringLiteral("list"), QStringLiteral("Print the stored messages, one a line (tab-separated), and exit.")},
        {QStringLiteral("csv"), QStringLiteral("Print the stored messages as CSV and exit.")},
        {QStringLiteral("burst"), QStringLiteral("Messages one address may send at once (default 10; 0: no limit)."),
         QStringLiteral("n"), QStringLiteral("10")},
        {QStringLiteral("every"), QStringLiteral("Then one message per this many seconds (default 6)."), QStringLiteral("s"),
         QStringLiteral("6")},
        {QStringLiteral("timeout"), QStringLiteral("Seconds a connection may last (default 10)."), QStringLiteral("s"),
         QStringLiteral("10")},
        {QStringLiteral("connections"), QStringLiteral("Connections one address may hold at once (default 32)."),
         QStringLiteral("n"), QStringLiteral("32")},
        {QStringLiteral("max-size"), QStringLiteral("Largest size of the database in MiB (default: the disk's room)."),
         QStringLiteral("MiB"), QStringLiteral("0")},
    });
    parser.process(app);

    qint64 port = 8080, burst = 10, every = 6, timeout = 10, connections = 32, maxSize = 0;
    for (auto [option, value] : {std::pair{"port", &port}, {"burst", &burst}, {"every", &every}, {"timeout", &timeout},
                                 {"connections", &connections}, {"max-size", &maxSize}}) {
        if (!number(parser, QString::fromLatin1(option), value))
            return fail(QStringLiteral("--%1 takes a whole number, not \"%2\"").arg(QLatin1String(option), parser.value(QLatin1String(option))));
    }
    if (port > 65535 || timeout < 1 || every < 1 || connections < 1)
        return fail(QStringLiteral("a number is out of its range (--port 0-65535; --timeout, --every, --connections at least 1)"));

    FeedbackStore store;
    QString why;
    if (!store.open(parser.value(QStringLiteral("database")), maxSize * 1024 * 1024, &why))
        return fail(QStringLiteral("cannot use the database %1: %2").arg(parser.value(QStringLiteral("database")), why));
    if (parser.isSet(QStringLiteral("list")) || parser.isSet(QStringLiteral("csv"))) {
        const QList<FeedbackMessage> messages = store.all(&why);
        if (!why.isEmpty())
            return fail(QStringLiteral("cannot read the database: ") + why);
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write to standard output"));
        if (parser.isSet(QStringLiteral("csv")))
            FeedbackStore::writeCsv(messages, &out);
        else
            FeedbackStore::writeList(messages, &out);
        return 0;
    }

    if (!store.canWrite(&why))
        return fail(QStringLiteral("cannot write to the database %1: %2").arg(parser.value(QStringLiteral("database")), why));
    const QHostAddress address(parser.value(QStringLiteral("listen")));
    if (address.isNull())
        return fail(QStringLiteral("\"%1\" is not an IP address").arg(parser.value(QStringLiteral("listen"))));
    FeedbackServer server(store, AddressLimits(int(burst), int(every * 1000)));
    auto *tcp = new GuardedTcpServer({int(timeout * 1000), int(connections), 1024}, &server);
    if (!tcp->listen(address, quint16(port)))
        return fail(QStringLiteral("cannot listen on %1 port %2: %3").arg(address.toString()).arg(port).arg(tcp->errorString()));
    server.bind(tcp);
    // The port chosen, for whoever started it with --port 0.
    QTextStream(stdout) << "listening on " << address.toString() << " port " << tcp->serverPort() << Qt::endl;
    // A plain stop (systemd's, or Ctrl+C) ends cleanly; the database is
    // whole at any moment, also after a kill.
    for (int signal : {SIGTERM, SIGINT})
        std::signal(signal, [](int) { QCoreApplication::exit(0); });
    return app.exec();
}
