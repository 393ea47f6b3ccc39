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
#include <QTimer>

#include <algorithm>
#include <cstdio>

const QString SingleInstance::offerPrefix = QStringLiteral(".tolvik-offer-");
const QString SingleInstance::lockName = QStringLiteral(".tolvik.lock");
const QString SingleInstance::readyName = QStringLiteral(".tolvik.ready");

bool SingleInstance::claim(const QStringList &files)
{
    if (m_claimed)
        return true;
    m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_folder.isEmpty()) // no usable runtime folder: the user's home
        m_folder = QDir::homePath();
    m_channel = platform::instanceChannel(m_folder);
    switch (m_lock.acquire(m_folder, lockName)) {
    case platform::InstanceLock::Result::Acquired:
        becomeTheInstance();
        return m_claimed = true;
    case platform::InstanceLock::Result::Unavailable:
        return m_claimed = true;
    case platform::InstanceLock::Result::HeldElsewhere:
        break;
    }
    QString why;
    switch (deliver(files, &why)) {
    case Delivery::Taken:
        return false;
    case Delivery::HolderGone:
        return m_claimed = true;
    case Delivery::NotTaken:
        break;
    }
    std::fprintf(stderr, "tolvik: the running Tolvik did not take the files (%s); converting them here\n",
                 qPrintable(why));
    return m_claimed = true;
}

void SingleInstance::becomeTheInstance()
{
    removeStaleOffers();
    platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + readyName));
    listen();
    // Ready once its event loop runs (the window built), and says so again
    // every second while it runs: a start that comes meanwhile waits for
    // it however long that takes on a busy machine, and gives up only on
    // one whose event loop stands still (stopped, hung).
    const auto announce = [this] {
        const QString ready = m_folder + QLatin1Char('/') + readyName;
        platform::appendToRegularFile(platform::NativeName(ready), QByteArray::number(platform::currentProcessId()), true);
        m_announcedReady = true;
    };
    QTimer::singleShot(0, this, announce);
    connect(&m_heartbeat, &QTimer::timeout, this, announce);
    m_heartbeat.start(1000);
}

qint64 SingleInstance::holderHeartbeat() const
{
    const platform::NativeName ready(m_folder + QLatin1Char('/') + readyName);
    const QByteArray pid = platform::readFileStart(ready, 32);
    if (pid.toLongLong() <= 0 || !platform::processExists(pid.toLongLong()))
        return 0;
    return std::max<qint64>(1, platform::fileState(ready).modified);
}

SingleInstance::~SingleInstance()
{
    if (m_announcedReady)
        platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + readyName));
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

SingleInstance::Delivery SingleInstance::deliver(const QStringList &files, QString *why)
{
    QString offer;
    if (!files.isEmpty()) {
        offer = makeOffer();
        if (offer.isEmpty()) {
            *why = QStringLiteral("no offer could be made in %1").arg(m_folder);
            return Delivery::NotTaken;
        }
    }
    const auto withdraw = [&] {
        // The files are ours again, unless it took them just now.
        return offer.isEmpty() || platform::removeFile(platform::NativeName(m_folder + QLatin1Char('/') + offer));
    };
    // One line a file, its bytes percent-encoded: any name fits a line.
    QByteArray message;
    for (const QString &file : files)
        message += "open " + platform::encodeFileName(file).toPercentEncoding() + '\n';
    message += offer.isEmpty() ? QByteArray("activate\n") : "offer " + offer.toLatin1() + '\n';

    // While the running instance starts (its window not built yet: long on
    // a busy machine) it cannot answer: wait for it as long as it lives,
    // up to a bound for one hung in its start. Once it says it is ready,
    // it has a while to answer; should it end meanwhile, this start is the
    // instance.
    constexpr int startSeconds = 300;
    constexpr int answerSeconds = 20;
    const QDeadlineTimer started(startSeconds * 1000);
    QDeadlineTimer answered(QDeadlineTimer::Forever);
    qint64 heartbeat = 0;
    QLocalSocket channel;
    bool sent = false;
    // A connection it has not answered for a while is made again, the
    // same offer sent again: under Wine a named pipe's connection can go
    // unnoticed by the running program, while a new one is seen (with any
    // earlier one). Safe: whichever connection takes the offer first owns
    // the files, the other finds it gone.
    constexpr int resendSeconds = 3;
    QDeadlineTimer resend;
    for (;;) {
        if (sent && channel.state() == QLocalSocket::ConnectedState && resend.hasExpired()
            && !channel.canReadLine()) {
            channel.abort();
            sent = false;
        }
        if (channel.state() != QLocalSocket::ConnectedState) {
            if (sent) {
                *why = QStringLiteral("it closed the channel");
                break;
            }
            channel.abort();
            channel.connectToServer(m_channel);
            if (!channel.waitForConnected(1000))
                QThread::msleep(100);
        }
        if (channel.state() == QLocalSocket::ConnectedState) {
            if (!sent) {
                channel.write(message);
                sent = true;
                resend.setRemainingTime(resendSeconds * 1000);
            }
            if (channel.bytesToWrite() > 0)
                channel.waitForBytesWritten(1000);
            else if (!channel.canReadLine())
                channel.waitForReadyRead(1000);
            // It answers once it holds every file; it closes the channel
            // when it ends or finds the offer withdrawn.
            if (channel.canReadLine()) {
                if (channel.readLine().trimmed() == "ok")
                    return Delivery::Taken;
                *why = QStringLiteral("it refused them");
                break;
            }
        }
        if (m_lock.acquire(m_folder, lockName) == platform::InstanceLock::Result::Acquired) {
            // It ended without taking them.
            withdraw();
            becomeTheInstance();
            return Delivery::HolderGone;
        }
        if (const qint64 beat = holderHeartbeat(); beat != 0) {
            // Its event loop turns: it answers in its time. Counted from
            // its last sign of life.
            if (beat != heartbeat) {
                heartbeat = beat;
                answered.setRemainingTime(answerSeconds * 1000);
            }
            if (answered.hasExpired()) {
                *why = QStringLiteral("it did not answer in %1 seconds").arg(answerSeconds);
                break;
            }
            if (started.hasExpired()) {
                *why = QStringLiteral("it did not answer in %1 seconds").arg(startSeconds);
                break;
            }
        } else if (started.hasExpired()) {
            *why = QStringLiteral("it did not finish starting in %1 seconds").arg(startSeconds);
            break;
        }
    }
    return withdraw() ? Delivery::NotTaken : Delivery::Taken;
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
            // Ours, not the server's: a server replaced by listen() must
            // not take a start's open conversation down with it.
            socket->setParent(this);
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
            if (!m_server->isListening() || fileGone) {
                std::fprintf(stderr, "tolvik: listening again for later starts (%s)\n",
                             qPrintable(fileGone ? QStringLiteral("the channel's file was removed")
                                                 : m_server->errorString()));
                listen();
            }
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
