#include "SingleInstance.h"

#include "names/FileNames.h"
#include "platform/files/Files.h"
#include "platform/processes/Processes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

// A wait of at most a second, within the deadline.
int slice(const QDeadlineTimer &deadline)
{
    return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, 1000));
}

} // namespace

const QString SingleInstance::offerPrefix = QStringLiteral(".tolvik-offer-");

bool SingleInstance::claim(const QStringList &files)
{
    if (m_claimed)
        return true;
    m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_folder.isEmpty()) // no usable runtime folder: the user's home
        m_folder = QDir::homePath();
    m_channel = platform::instanceChannel(m_folder);

    switch (m_lock.acquire(m_folder, QStringLiteral(".tolvik.lock"))) {
    case platform::InstanceLock::Result::Acquired:
        removeStaleOffers();
        listen();
        return m_claimed = true;
    case platform::InstanceLock::Result::Unavailable:
        return m_claimed = true;
    case platform::InstanceLock::Result::HeldElsewhere:
        break;
    }
    QString why;
    if (deliver(files, &why))
        return false;
    std::fprintf(stderr, "tolvik: the running Tolvik did not take the files (%s); converting them here\n",
                 qPrintable(why));
    return m_claimed = true;
}

QString SingleInstance::makeOffer() const
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name = offerPrefix + QString::number(platform::currentProcessId()) + QLatin1Char('-')
                             + QString::number(QRandomGenerator::system()->generate64(), 36);
        if (platform::createNewFile(platform::NativeName(m_folder + QLatin1Char('/') + name)))
            return name;
    }
    return {};
}

bool SingleInstance::takeOffer(const QByteArray &name) const
{
    // Only a token of ours, beside the lock: never another file.
    static const QRegularExpression token(QStringLiteral("^\\.tolvik-offer-[0-9]+-[0-9a-z]+$"));
    const QString text = QString::fromLatin1(name);
    return token.match(text).hasMatch()
           && platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + text));
}

void SingleInstance::removeStaleOffers() const
{
    // Tokens of starts killed while they offered: no one waits for them.
    const QStringList offers = QDir(m_folder).entryList({offerPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString &name : offers) {
        const qint64 owner = name.mid(offerPrefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong();
        if (owner > 0 && !platform::processExists(owner))
            platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + name));
    }
}

bool SingleInstance::deliver(const QStringList &files, QString *why) const
{
    QString offer;
    if (!files.isEmpty()) {
        offer = makeOffer();
        if (offer.isEmpty()) {
            *why = QStringLiteral("no offer could be made in %1").arg(m_folder);
            return false;
        }
    }
    // One line a file, its bytes percent-encoded: any name fits a line.
    QByteArray message;
    for (const QString &file : files)
        message += "open " + platform::encodeFileName(file).toPercentEncoding() + '\n';
    message += offer.isEmpty() ? QByteArray("activate\n") : "offer " + offer.toLatin1() + '\n';

    // The running instance may not listen yet (it has just started) or be
    // busy with another start: try again, for a while. Long enough for a
    // window built while three more starts load (under Wine on two cores
    // that once took over 10 s), short of what looks like a hang.
    constexpr int patienceSeconds = 20;
    const QDeadlineTimer deadline(patienceSeconds * 1000);
    QLocalSocket channel;
    bool connected = false;
    while (!connected && !deadline.hasExpired()) {
        channel.connectToServer(m_channel);
        connected = channel.waitForConnected(slice(deadline));
        if (!connected) {
            channel.abort();
            QThread::msleep(100);
        }
    }
    if (connected) {
        channel.write(message);
        while (channel.bytesToWrite() > 0 && !deadline.hasExpired() && channel.state() == QLocalSocket::ConnectedState)
            channel.waitForBytesWritten(slice(deadline));
        // It answers once it holds every file; it closes the channel when
        // it ends or finds the offer withdrawn.
        while (!channel.canReadLine() && !deadline.hasExpired() && channel.state() == QLocalSocket::ConnectedState)
            channel.waitForReadyRead(slice(deadline));
        if (channel.canReadLine() && channel.readLine().trimmed() == "ok")
            return true;
    }
    *why = !connected                       ? QStringLiteral("no answer on its channel: %1").arg(channel.errorString())
           : channel.bytesToWrite() > 0     ? QStringLiteral("the files could not all be sent")
           : channel.state() != QLocalSocket::ConnectedState ? QStringLiteral("it closed the channel")
                                            : QStringLiteral("it did not answer in %1 seconds").arg(patienceSeconds);
    if (offer.isEmpty())
        return false;
    // Withdrawn: the files are ours again. Unless it took them just now.
    if (platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + offer)))
        return false;
    return true;
}

void SingleInstance::listen()
{
    // The holder of the lock owns the channel: one left by a killed
    // instance is ours to replace.
    delete m_server;
    QLocalServer::removeServer(m_channel);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_channel);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            socket->setReadBufferSize(maxLineBytes + 1);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        }
    });
    // Qt stops listening after a failed accept (no descriptors left), and
    // the socket file may be removed under us: then listen again.
    if (!m_watch.isActive()) {
        connect(&m_watch, &QTimer::timeout, this, [this] {
            const bool fileGone = QDir::isAbsolutePath(m_channel) && !QFileInfo::exists(m_channel);
            if (!m_server->isListening() || fileGone)
                listen();
        });
        m_watch.start(1000);
    }
}

void SingleInstance::readMessages(QLocalSocket *socket)
{
    // Files arrive one a line; "activate" ends the message.
    QStringList files = socket->property("files").toStringList();
    qsizetype received = socket->property("received").toLongLong();
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(maxLineBytes + 1);
        received += line.size();
        if (!line.endsWith('\n') || received > maxMessageBytes) {
            socket->abort(); // not a message of ours
            return;
        }
        const QByteArray text = line.trimmed();
        if (text.startsWith("open ")) {
            files << platform::decodeFileName(QByteArray::fromPercentEncoding(text.mid(5)));
        } else if (text.startsWith("offer ")) {
            // Ours only when its token is still there to remove; then no
            // return to the event loop before the answer, so nothing of
            // them is converted by a program that could not answer.
            const bool taken = takeOffer(text.mid(6));
            if (taken && !files.isEmpty())
                emit filesReceived(files);
            files.clear();
            received = 0;
            if (!taken) {
                socket->abort(); // withdrawn: its start converts them
                return;
            }
            socket->write("ok\n");
            socket->flush();
            emit activationRequested();
        } else if (text == "activate") {
            // Files without an offer: a start that only asks us forward,
            // or an older one that waits for our word.
            if (!files.isEmpty())
                emit filesReceived(files);
            files.clear();
            received = 0;
            socket->write("ok\n");
            socket->flush();
            emit activationRequested();
        }
    }
    if (socket->bytesAvailable() > maxLineBytes) {
        socket->abort(); // a line longer than any path
        return;
    }
    socket->setProperty("files", files);
    socket->setProperty("received", received);
}
