// The platform layer's promises, on whichever OS this suite was built for
// (under Wine for Windows): real files, the real encoder as the child.
#include "TestSupport.h"
#include "common/windows/LongPath.h"
#include "platform/processes/Processes.h"
#include "platform/files/Files.h"
#include "platform/instance/Instance.h"
#include "platform/desktop/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class PlatformTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_conv; // the encoder, copied into a folder whose name has a blank

    QString native(const QString &name) const { return QDir::toNativeSeparators(m_tmp.filePath(name)); }

    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QDir().mkpath(m_tmp.filePath(QStringLiteral("my programs")));
        m_conv = native(QStringLiteral("my programs/") + platform::executableName(QStringLiteral("conv")));
        QVERIFY(QFile::copy(test::convPath(), m_conv));
    }

    void copyReplacesOrLeavesTheTarget_data()
    {
        QTest::addColumn<QString>("source");     // "file", "read-only", "missing" or "folder"
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("copied");
        QTest::newRow("new target") << "file" << false << true;
        QTest::newRow("replaces") << "file" << true << true;
        QTest::newRow("read-only source") << "read-only" << true << true;
        QTest::newRow("missing source") << "missing" << true << false;
        QTest::newRow("folder as source") << "folder" << true << false;
    }

    void copyReplacesOrLeavesTheTarget()
    {
        QFETCH(QString, source);
        QFETCH(bool, targetExists);
        QFETCH(bool, copied);
        const QString from = native(QStringLiteral("Šťastný ñ %1.wav").arg(QTest::currentDataTag()));
        const QString to = native(QStringLiteral("copy of %1.wav").arg(QTest::currentDataTag()));
        if (source == QLatin1String("file") || source == QLatin1String("read-only"))
            QVERIFY(write(from, "new data"));
        if (source == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(from, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        else if (source == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(from));
        if (targetExists)
            QVERIFY(write(to, "old data"));
        QString reason;
        QCOMPARE(platform::copyFileReplacing(platform::NativeName(from), platform::NativeName(to), &reason), copied);
        QCOMPARE(reason.isEmpty(), copied);
        QCOMPARE(contents(to), QByteArray(copied ? "new data" : targetExists ? "old data" : "<missing>"));
        QVERIFY(test::filesIn(m_tmp.path(), {platform::partialCopyPattern()}).isEmpty());
        // A working copy is ours to replace and remove, whatever the source.
        if (copied) {
            QVERIFY2(QFileInfo(to).isWritable(), "the copy kept the source's read-only attribute");
            QVERIFY(platform::copyFileReplacing(platform::NativeName(from), platform::NativeName(to)));
            QVERIFY(QFile::remove(to));
        }
        // ... and so is a read-only leftover.
        QVERIFY(write(to, "left over"));
        QVERIFY(QFile::setPermissions(to, QFileDevice::ReadOwner));
        QVERIFY(platform::removeFile(platform::NativeName(to)));
        QVERIFY(!QFileInfo::exists(to));
    }

    void childGetsEachArgumentWhole_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("blanks") << "my music/a song.wav";
        QTest::newRow("quote inside") << "say \"hi\" there.wav";
        QTest::newRow("trailing backslash") << "folder with blank\\";
        QTest::newRow("backslashes before a quote") << "a\\\\\"b c";
        QTest::newRow("shell characters") << "%PATH% & $HOME ^|<>;.wav";
        QTest::newRow("non-ASCII") << "Šťastný ñ 日本.wav";
    }

    void childGetsEachArgumentWhole()
    {
        // The encoder names its input in its error: the argument as it arrived.
        QFETCH(QString, argument);
        platform::ChildProcess child;
        QSignalSpy finished(&child, &platform::ChildProcess::finished);
        QVERIFY(child.start(m_conv, {QStringLiteral("-i"), argument, native(QStringLiteral("out.mp3"))}));
        QVERIFY(finished.wait(20000));
        QCOMPARE(child.exitCode(), 1);
        QVERIFY2(child.lastErrorLine().startsWith(QStringLiteral("conv: ") + argument + QStringLiteral(": ")),
                 qPrintable(child.lastErrorLine()));
    }

    void childExitsAndStops()
    {
        platform::ChildProcess help;
        QSignalSpy helpFinished(&help, &platform::ChildProcess::finished);
        QVERIFY(help.start(m_conv, {QStringLiteral("--help")}));
        QVERIFY(helpFinished.wait(20000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(!help.isRunning());
        QVERIFY(help.lastErrorLine().isEmpty());

        platform::ChildProcess missing;
        QVERIFY(!missing.start(native(QStringLiteral("no such program")), {}));
        QVERIFY(!missing.isRunning());

        const QString wav = native(QStringLiteral("long.wav"));
        QVERIFY(test::makeWav(wav, {"-r", "44100", "-c", "2", "-b", "16"}, 60));
        platform::ChildProcess encoder;
        QVERIFY(encoder.start(m_conv, {QStringLiteral("-threads"), QStringLiteral("1"), QStringLiteral("-i"), wav,
                                       native(QStringLiteral("long.mp3"))}));
        QVERIFY(encoder.isRunning());
        encoder.stop(2000);
        QVERIFY(!encoder.isRunning());
        QVERIFY(encoder.exitCode() != 0);
        QVERIFY(!QFile::exists(native(QStringLiteral("long.mp3"))));
    }

    void childEndIsToldWhileWhatItLeftHoldsItsErrorOutput()
    {
        // A process the child started may hold its standard error on (under
        // Wine the console host of a console program can): the child's end
        // and last words are told all the same, while that process runs.
        // (What it leaves ends with this suite.)
        const QString suite = QString::number(platform::currentProcessId());
#ifdef TOLVIK_LEAVE_BEHIND
        const QString program = QStringLiteral(TOLVIK_LEAVE_BEHIND);
        const QStringList arguments{suite};
#else
        const QString program = QStringLiteral("/bin/sh");
        const QStringList arguments{QStringLiteral("-c"),
                                    QStringLiteral("tail --pid=%1 -f /dev/null & echo \"left process $! behind\" >&2").arg(suite)};
#endif
        platform::ChildProcess child;
        QSignalSpy finished(&child, &platform::ChildProcess::finished);
        QVERIFY(child.start(program, arguments));
        QVERIFY2(finished.wait(30000), "the child's end was not told");
        QCOMPARE(child.exitCode(), 0);
        const QStringList words = child.lastErrorLine().split(QLatin1Char(' '));
        QVERIFY2(words.size() == 4 && words.first() == QLatin1String("left"), qPrintable(child.lastErrorLine()));
        QVERIFY2(platform::processExists(words.at(2).toLongLong()),
                 "the end was told only once what the child left had ended");
    }

    void instanceLockIsExclusiveUntilReleased()
    {
        const QString folder = native(QStringLiteral("lock here"));
        QVERIFY(QDir().mkpath(folder));
        auto first = std::make_unique<platform::InstanceLock>();
        QCOMPARE(first->acquire(folder, QStringLiteral(".tolvik.lock")), platform::InstanceLock::Result::Acquired);
        platform::InstanceLock second;
        QCOMPARE(second.acquire(folder, QStringLiteral(".tolvik.lock")), platform::InstanceLock::Result::HeldElsewhere);
        platform::InstanceLock elsewhere;
        QCOMPARE(elsewhere.acquire(native(QStringLiteral("my programs")), QStringLiteral(".tolvik.lock")),
                 platform::InstanceLock::Result::Acquired);
        first.reset();
        platform::InstanceLock third;
        QCOMPARE(third.acquire(folder, QStringLiteral(".tolvik.lock")), platform::InstanceLock::Result::Acquired);

        QCOMPARE(platform::instanceChannel(folder), platform::instanceChannel(folder));
        QVERIFY(platform::instanceChannel(folder) != platform::instanceChannel(native(QStringLiteral("my programs"))));
    }

    // Windows' long form of a path, as data: plain lengths pass as they
    // are; longer paths, and those with names the plain rules change, are
    // made absolute, normalized and marked.
    void longPathsTakeTheVerbatimForm_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("expected");
        const QString deep = QString(130, QLatin1Char('d')) + QLatin1Char('\\') + QString(130, QLatin1Char('e'));
        const QString cur = QStringLiteral("C:\\Users\\ann\\Music");
        QTest::newRow("plain length") << "D:/Music/song.wav" << cur << "D:/Music/song.wav";
        QTest::newRow("drive") << "D:\\" + deep + "\\a.wav" << cur << "\\\\?\\D:\\" + deep + "\\a.wav";
        QTest::newRow("forward slashes") << "D:/" + QString(deep).replace('\\', '/') + "/a.wav" << cur
                                         << "\\\\?\\D:\\" + deep + "\\a.wav";
        QTest::newRow("relative") << ".\\" + deep + "\\x\\..\\a.wav" << cur << "\\\\?\\" + cur + "\\" + deep + "\\a.wav";
        QTest::newRow("above the root") << "D:\\..\\..\\" + deep << cur << "\\\\?\\D:\\" + deep;
        QTest::newRow("rooted") << "\\" + deep << cur << "\\\\?\\C:\\" + deep;
        QTest::newRow("other drive, relative") << "E:" + deep << cur << "\\\\?\\E:\\" + deep;
        QTest::newRow("same drive, relative") << "c:" + deep << cur << "\\\\?\\" + cur + "\\" + deep;
        QTest::newRow("share") << "\\\\nas\\music\\" + deep << cur << "\\\\?\\UNC\\nas\\music\\" + deep;
        QTest::newRow("share above its root") << "\\\\nas\\music\\..\\" + deep << cur << "\\\\?\\UNC\\nas\\music\\" + deep;
        QTest::newRow("relative to a share") << deep << "\\\\nas\\music" << "\\\\?\\UNC\\nas\\music\\" + deep;
        // Names a plain path would trim or take for a device: kept, exact.
        QTest::newRow("trailing periods and spaces") << "D:\\" + deep + "\\name. . " << cur << "\\\\?\\D:\\" + deep + "\\name. . ";
        QTest::newRow("a segment's period") << "D:\\dir.\\" + deep << cur << "\\\\?\\D:\\dir.\\" + deep;
        QTest::newRow("short, a trailing period") << "D:/Music/x.wav." << cur << "\\\\?\\D:\\Music\\x.wav.";
        QTest::newRow("short, a trailing space") << "D:\\Music\\y.wav " << cur << "\\\\?\\D:\\Music\\y.wav ";
        QTest::newRow("short, a device's name") << "D:\\Music\\aux.wav" << cur << "\\\\?\\D:\\Music\\aux.wav";
        QTest::newRow("short, a device as a folder") << "D:\\COM1\\a.wav" << cur << "\\\\?\\D:\\COM1\\a.wav";
        QTest::newRow("short, relative, a device's name") << "NUL .wav" << cur << "\\\\?\\" + cur + "\\NUL .wav";
        QTest::newRow("names like devices are plain") << "D:\\COMPUTER\\CON-cert.wav" << cur << "D:\\COMPUTER\\CON-cert.wav";
        QTest::newRow("a folder's \".\" and \"..\" are plain") << "D:\\a\\.\\..\\b.wav" << cur << "D:\\a\\.\\..\\b.wav";
        QTest::newRow("three periods stay") << "D:\\...\\" + deep << cur << "\\\\?\\D:\\...\\" + deep;
        QTest::newRow("verbatim already") << "\\\\?\\D:\\" + deep + "\\..\\a" << cur << "\\\\?\\D:\\" + deep + "\\..\\a";
        QTest::newRow("device") << "\\\\.\\pipe\\" + deep << cur << "\\\\.\\pipe\\" + deep;
        QTest::newRow("short, relative to a long folder") << "a.wav" << "C:\\" + deep << "\\\\?\\C:\\" + deep + "\\a.wav";
    }

    void longPathsTakeTheVerbatimForm()
    {
        QFETCH(QString, path);
        QFETCH(QString, current);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdWString(longpath::longPathForm(path.toStdWString(), current.toStdWString())), expected);
    }

    void foldersAndNames()
    {
        QCOMPARE(QDir::fromNativeSeparators(platform::programFolder()), QCoreApplication::applicationDirPath());
        QVERIFY(QFileInfo(platform::temporaryBase()).isDir());
        const QString base = native(QStringLiteral("base"));
        QVERIFY(QDir().mkpath(base));
        for (int attempt = 0; attempt < 2; ++attempt) { // made, then found
            const platform::PrivateFolder folder = platform::preparePrivateFolder(base);
            QVERIFY(folder.usable);
            QVERIFY(QFileInfo(folder.path).isDir());
            QVERIFY(folder.path.startsWith(base));
        }
        // Its name taken by something else (another user's file, folder or
        // link, made first): a folder of the user's own instead, where the
        // next start finds what a killed run left (on Linux the session's
        // runtime folder; on Windows, where the temporary folder is the
        // user's own, one of this run's, gone with it).
        const QString squatted = platform::preparePrivateFolder(base).path;
        QVERIFY(QDir(squatted).removeRecursively());
        QFile squatter(squatted);
        QVERIFY(squatter.open(QIODevice::WriteOnly));
        squatter.close();
        const platform::PrivateFolder own = platform::preparePrivateFolder(base);
        QVERIFY2(own.usable && own.path != squatted, qPrintable(own.path));
        const platform::PrivateFolder run = platform::prepareRunFolder(own);
        QVERIFY(run.usable);
#ifdef Q_OS_WIN
        QVERIFY2(own.path.startsWith(base), qPrintable(own.path));
        platform::removeRunFolder(run);
        QVERIFY2(!QFileInfo::exists(own.path), "the run's own private folder was left");
#else
        QCOMPARE(own.path, qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/tolvik"));
        // A run killed outright leaves its folder: the next start removes it.
        const QString killed = own.path + QStringLiteral("/run-999999999-1");
        QVERIFY(QDir().mkpath(killed));
        const platform::PrivateFolder again = platform::preparePrivateFolder(base);
        QCOMPARE(again.path, own.path);
        const platform::PrivateFolder next = platform::prepareRunFolder(again);
        QVERIFY2(!QFileInfo::exists(killed), "a killed run's folder was left");
        platform::removeRunFolder(next);
        platform::removeRunFolder(run);
#endif
        QVERIFY(QFileInfo(squatted).isFile());

        const QString name = native(QStringLiteral("Šťastný ñ 日本.wav"));
        QCOMPARE(platform::decodeFileName(platform::encodeFileName(name)), name);
        QCOMPARE(platform::localFileOf(QUrl::fromLocalFile(name)), name);
    }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "test_platform.moc"
