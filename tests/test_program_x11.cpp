// The real program under the real X server, driven from outside with
// xdotool, first without a window manager and then under openbox.
#include "TestSupport.h"

#include "platform/instance/Instance.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QMouseEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs xdotool while this process keeps answering its own windows (a drag
// passing over them waits for their replies).
QString xdo(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForStarted();
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(5) && clock.elapsed() < 20000)
        QCoreApplication::processEvents();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

void pointerTo(QPoint at)
{
    // (No --sync: it waits forever when the pointer is there already.)
    xdo({"mousemove", QString::number(at.x()), QString::number(at.y())});
    QTest::qWait(40);
}

void clickAt(QPoint at)
{
    pointerTo(at);
    xdo({"click", "1"});
}

// Presses at `from`, moves to `to` in small steps and releases.
void dragPointer(QPoint from, QPoint to, int steps = 12)
{
    pointerTo(from);
    xdo({"mousedown", "1"});
    for (int i = 1; i <= steps; ++i) {
        pointerTo(from + (to - from) * i / steps);
        QTest::qWait(25);
    }
    xdo({"mouseup", "1"});
}

// A plain window below everything, recording where it was pressed.
class Below : public QWidget {
public:
    QList<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent *event) override { presses << event->globalPosition().toPoint(); }
};

} // namespace

class ProgramX11Test : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_program;   // a copy of the program folder
    QProcessEnvironment m_env;
    QProcess *m_tolvik = nullptr;
    QString m_window;
    QProcess m_openbox;
    Below m_below;

    QString path(const QString &name) const { return m_tmp.filePath(name); }

    bool startTolvik(const QStringList &files = {})
    {
        m_tolvik = new QProcess(this);
        m_tolvik->setProcessEnvironment(m_env);
        m_tolvik->start(m_program + QStringLiteral("/tolvik"), files);
        if (!m_tolvik->waitForStarted())
            return false;
        for (int i = 0; i < 100 && m_window.isEmpty(); ++i) {
            QTest::qWait(100);
            const QStringList ids = xdo({"search", "--onlyvisible", "--pid",
                                         QString::number(m_tolvik->processId()), "--name", "^Tolvik$"})
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (!ids.isEmpty())
                m_window = ids.first();
        }
        // Ready once it says so (its event loop turns), in its own words:
        // a killed one's stay behind until the next start removes them. (A
        // program that cannot have the lock at all runs without saying so.)
        const QString run = m_env.value(QStringLiteral("XDG_RUNTIME_DIR"));
        const QByteArray pid = QByteArray::number(m_tolvik->processId());
        const auto said = [&] {
            QFile file(run + QStringLiteral("/.tolvik.ready"));
            return QFileInfo(run + QStringLiteral("/.tolvik.lock")).isDir()
                   || (file.open(QIODevice::ReadOnly) && file.readAll() == pid);
        };
        return !m_window.isEmpty() && QTest::qWaitFor(said, 20000);
    }

    bool ensureTolvik()
    {
        return (m_tolvik && m_tolvik->state() == QProcess::Running && !m_window.isEmpty()) || startTolvik();
    }

    void stopTolvik()
    {
        if (!m_tolvik)
            return;
        m_tolvik->kill();
        m_tolvik->waitForFinished();
        delete m_tolvik;
        m_tolvik = nullptr;
        m_window.clear();
    }

    QRect geometry()
    {
        const QString shell = xdo({"getwindowgeometry", "--shell", m_window});
        QMap<QString, int> v;
        for (const QString &line : shell.split(QLatin1Char('\n'))) {
            const auto parts = line.split(QLatin1Char('='));
            if (parts.size() == 2)
                v[parts[0]] = parts[1].toInt();
        }
        return {v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]};
    }

    QPoint at(int x, int y) { return geometry().topLeft() + QPoint(x, y); }

    QString wmState()
    {
        return QString::fromLocal8Bit(test::run(QStringLiteral("xprop"), {"-id", m_window, "WM_STATE"}).out);
    }

    QStringList mp3sIn(const QString &folder) { return test::filesIn(folder, {QStringLiteral("*.mp3")}); }

    QString wav(const QString &name, double seconds)
    {
        const QString file = path(name);
        return test::makeWav(file, {"-r", "44100", "-c", "2", "-b", "16"}, seconds, QStringLiteral("pinknoise"))
                   ? file
                   : QString();
    }

    // The pids of the encoders running on the working files of a run in
    // the private folder `temp` (empty when none runs).
    static QString runningEncoder(const QString &temp)
    {
        return QString::fromLocal8Bit(test::run(QStringLiteral("pgrep"), {"-f", temp + "/run-[0-9-]*/tmpfile1.mp3"}).out).trimmed();
    }

    // `taken` tells when the program has the files: the source lives until
    // then (the target fetches the file list from it after the drop).
    void dropFromAnotherProcess(const QStringList &files, const std::function<bool()> &taken)
    {
        QProcess source;
        source.start(QStringLiteral(TOLVIK_DRAG_SOURCE), files);
        QVERIFY(source.waitForStarted());
        QVERIFY2(source.waitForReadyRead(20000) && source.readLine().trimmed() == "ready", "the drag source did not start");
        QString sourceWindow;
        for (int i = 0; i < 50 && sourceWindow.isEmpty(); ++i) {
            QTest::qWait(100);
            sourceWindow = xdo({"search", "--onlyvisible", "--name", "^DragSource$"}).section('\n', 0, 0);
        }
        QVERIFY(!sourceWindow.isEmpty());
        dragPointer(QPoint(40, 40), at(238 + 71, 35 + 73), 20);
        const bool received = QTest::qWaitFor(taken, 60000);
        source.kill();
        source.waitForFinished();
        QVERIFY2(received, "the program did not take the dropped files");
    }

private slots:
    void initTestCase()
    {
        // A program folder of our own, so that outputs stay in the test's folder.
        m_program = path(QStringLiteral("program"));
        QDir().mkpath(m_program + QStringLiteral("/data"));
        QDir().mkpath(m_program + QStringLiteral("/output"));
        for (const char *file : {"tolvik", "data/conv", "sound.wav", "help.html"})
            QVERIFY(QFile::copy(test::programDir() + QLatin1Char('/') + QLatin1String(file),
                                m_program + QLatin1Char('/') + QLatin1String(file)));
        QDir().mkpath(path(QStringLiteral("run")));
        QFile::setPermissions(path(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("TMPDIR"), m_tmp.path());
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const QString bin = test::makeXdgOpenStandIn(path(QStringLiteral("bin")), path(QStringLiteral("opened.log")));
        m_env.insert(QStringLiteral("PATH"), bin + QLatin1Char(':') + m_env.value(QStringLiteral("PATH")));

        pointerTo({1279, 1023});
        m_below.setWindowTitle(QStringLiteral("Below"));
        m_below.setGeometry(QGuiApplication::primaryScreen()->geometry());
        m_below.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_below));
    }

    void cleanupTestCase()
    {
        stopTolvik();
        if (m_openbox.state() != QProcess::NotRunning) {
            m_openbox.kill();
            m_openbox.waitForFinished();
        }
    }

    void oneInstanceOnly()
    {
        QVERIFY(startTolvik());
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.start(m_program + QStringLiteral("/tolvik"), {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(xdo({"search", "--onlyvisible", "--name", "^Tolvik$"}).split('\n', Qt::SkipEmptyParts).size(), 1);
        QCOMPARE(m_tolvik->state(), QProcess::Running);

        // A killed instance's lock does not block the next start, and
        // neither does a lock file that is empty, garbage or a folder.
        const QString lock = path(QStringLiteral("run/.tolvik.lock"));
        const std::function<void()> badLocks[] = {
            [&] { QFile(lock).open(QIODevice::WriteOnly); },
            [&] {
                QFile file(lock);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("\xff\xfe garbage 99999999\n");
            },
            [&] { QVERIFY(QDir().mkdir(lock)); },
        };
        for (const auto &makeBadLock : badLocks) {
            stopTolvik();
            QDir(lock).removeRecursively();
            QFile::remove(lock);
            makeBadLock();
            QVERIFY(startTolvik());
        }
        stopTolvik();
        QDir(lock).removeRecursively();
        QVERIFY(startTolvik());
    }

    void theShapeLetsClicksThrough()
    {
        QVERIFY(ensureTolvik());
        // (Shaped by the time it is drawn: asked until it is.)
        const QRegularExpression extents(QStringLiteral("Window shape extents:\\s+(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)"));
        QString info;
        QRegularExpressionMatch match;
        QTest::qWaitFor([&] {
            info = QString::fromLocal8Bit(test::run(QStringLiteral("xwininfo"), {"-shape", "-id", m_window}).out);
            match = extents.match(info);
            return match.hasMatch() && match.captured(1) == QLatin1String("386");
        }, 10000);
        QVERIFY2(match.hasMatch(), qPrintable(info));
        QCOMPARE(match.captured(1).toInt(), 386);
        QCOMPARE(match.captured(2).toInt(), 213);
        QCOMPARE(match.captured(3).toInt(), 6);
        QCOMPARE(match.captured(4).toInt(), 3);

        m_below.presses.clear();
        const QPoint corner = at(2, 1); // key colour
        clickAt(corner);
        QTRY_COMPARE(m_below.presses.size(), 1);
        QCOMPARE(m_below.presses.first(), corner);
        clickAt(at(200, 100)); // the panel
        // Then the key colour once more: presses come in order, so a panel
        // click that fell through would be there before this one.
        const QPoint otherCorner = at(2, 2);
        clickAt(otherCorner);
        QTRY_COMPARE(m_below.presses.size(), 2);
        QCOMPARE(m_below.presses.last(), otherCorner);
        pointerTo({1279, 1023});
    }

    // On screens scaled by 1, 1.5 and 2, the shape the X server applies and
    // the picture drawn agree: no key-colour pixel shows (a fringe) and the
    // visible outline is the panel's dark rim, not its lighter inside (a cut
    // edge shows hundreds of those; the rounded corners' design, a few).
    void theShapeFitsThePictureAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0})
            QTest::addRow("%g", scale) << scale;
    }

    void theShapeFitsThePictureAtEveryScale()
    {
        QFETCH(double, scale);
        stopTolvik();
        const QProcessEnvironment plain = m_env;
        m_env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
        const bool started = startTolvik();
        m_env = plain;
        QVERIFY(started);
        // Counted once it is drawn (its first frames may come after its
        // ready word): the screen grabbed until the skin shows.
        const QString shot = path(QStringLiteral("screen.png"));
        QString counted;
        QMap<QString, QStringList> figures;
        const auto drawn = [&] {
            if (!QGuiApplication::primaryScreen()->grabWindow(0).save(shot))
                return false;
            counted = QString::fromLocal8Bit(
                test::run(QStringLiteral(TOLVIK_SKIN_PIXELS), {shot, QStringLiteral(TOLVIK_SOURCE_DIR "/assets/skin/main/Background.bmp")}).out);
            figures.clear();
            for (const QString &line : counted.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                figures[line.section(QLatin1Char(' '), 0, 0)] = line.section(QLatin1Char(' '), 1).split(QLatin1Char(' '));
            return figures.value(QStringLiteral("skin")).value(0).toInt() > 1000;
        };
        QTest::qWaitFor(drawn, 10000);
        stopTolvik();
        const QString said = QStringLiteral("at %1: %2").arg(scale).arg(counted.simplified());
        QVERIFY2(figures.value(QStringLiteral("key")) == QStringList{QStringLiteral("0")}, qPrintable(said));
        QVERIFY2(figures.value(QStringLiteral("light-edge")).value(0).toInt() <= 8, qPrintable(said));
        const QStringList size = figures.value(QStringLiteral("window"));
        QVERIFY2(size.size() == 2 && qAbs(size[0].toInt() - 386 * scale) <= 1 && qAbs(size[1].toInt() - 213 * scale) <= 1,
                 qPrintable(said));
    }

    void withoutAWindowManagerTheWindowStillFollowsADrag()
    {
        QVERIFY(ensureTolvik());
        const QRect before = geometry();
        dragPointer(at(260, 200), at(260 + 60, 200 + 40));
        QTRY_COMPARE(geometry().topLeft(), before.topLeft() + QPoint(60, 40));
    }

    void aDropFromAnotherProcessIsConverted()
    {
        QVERIFY(ensureTolvik());
        const QStringList files{wav(QStringLiteral("d1.wav"), 0.5), wav(QStringLiteral("d2.wav"), 0.5),
                                wav(QStringLiteral("d3.wav"), 0.5)};
        const QString out = m_program + QStringLiteral("/output");
        dropFromAnotherProcess(files, [&] { return mp3sIn(out) == QStringList{"d1.mp3", "d2.mp3", "d3.mp3"}; });
        QCOMPARE(mp3sIn(out), (QStringList{"d1.mp3", "d2.mp3", "d3.mp3"}));
        QCOMPARE(test::probeMp3(out + QStringLiteral("/d2.mp3")).samples, 22050);
        QTRY_VERIFY(QFile::exists(path(QStringLiteral("opened.log"))));
    }

    void exitDuringABatchStopsTheEncoderAndLeavesNothing()
    {
        QVERIFY(ensureTolvik());
        const QString longFile = wav(QStringLiteral("long.wav"), 420);
        const QString temp = m_tmp.path() + QStringLiteral("/tolvik-%1").arg(::getuid());
        // Taken once the encoder runs on the working input.
        QString encoder;
        dropFromAnotherProcess({longFile}, [&] { return !(encoder = runningEncoder(temp)).isEmpty(); });
        QVERIFY(!encoder.isEmpty());
        // Frozen, so that no machine is fast enough to finish the file
        // first; ending it then takes the kill after the grace period.
        ::kill(encoder.section('\n', 0, 0).toInt(), SIGSTOP);
        // A second start during the batch ends at once and leaves it alone.
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.start(m_program + QStringLiteral("/tolvik"), {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(m_tolvik->state(), QProcess::Running);
        clickAt(at(369 + 7, 10 + 7)); // the exit glyph
        // (It may have ended already while xdotool ran.)
        QVERIFY(m_tolvik->state() == QProcess::NotRunning || m_tolvik->waitForFinished(5000));
        QCOMPARE(m_tolvik->exitCode(), 0);
        // The encoder went with the program, and so did every working file.
        QVERIFY(::kill(encoder.section('\n', 0, 0).toInt(), 0) != 0);
        QCOMPARE(test::filesIn(temp), QStringList{});
        QVERIFY(!mp3sIn(m_program + QStringLiteral("/output")).contains(QStringLiteral("long.mp3")));
        delete m_tolvik;
        m_tolvik = nullptr;
        m_window.clear();

        QVERIFY(QDir(temp).entryList({QStringLiteral("run-*")}, QDir::Dirs).isEmpty());

        // A run that was killed leaves its files, in its own folder (or, from
        // before run folders, in the private folder): the next start removes
        // them, and only them.
        QProcess gone;
        gone.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
        QVERIFY(gone.waitForStarted());
        const qint64 deadPid = gone.processId();
        QVERIFY(gone.waitForFinished());
        const QString deadRun = temp + QStringLiteral("/run-%1-1").arg(deadPid);
        QVERIFY(QDir().mkpath(deadRun));
        for (const QString &folder : {temp, deadRun}) {
            for (const char *name : {"tmpfile.wav", "tmpfile1.mp3", ".tmpfile1.mp3.conv-Ab12Cd", ".tolvik-part-x1"}) {
                QFile file(folder + QLatin1Char('/') + QLatin1String(name));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(4096, 'x'));
            }
        }
        QFile keep(temp + QStringLiteral("/unrelated"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        QVERIFY(startTolvik());
        QCOMPARE(test::filesIn(temp), QStringList{QStringLiteral("unrelated")});
        QVERIFY2(!QFileInfo::exists(deadRun), "a dead run's folder was left");
        const QString log = path(QStringLiteral("opened.log"));
        const int opened = QFile::exists(log) ? QFile(log).size() : 0;
        dropFromAnotherProcess({path(QStringLiteral("vanished.wav"))}, [&] { return QFileInfo(log).size() > opened; }); // the batch has ended
        QVERIFY(!mp3sIn(m_program + QStringLiteral("/output")).contains(QStringLiteral("vanished.mp3")));
    }

    void filesFromTheCommandLine()
    {
        // As a drop at start-up, a hand-over to the idle running instance
        // (a relative name from another folder), and more for a running batch.
        stopTolvik();
        const QString out = m_program + QStringLiteral("/output");
        // Each batch's end opens the output folder once: counted from here
        // (the earlier programs are gone).
        const QString log = path(QStringLiteral("opened.log"));
        const auto batches = [&] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
        };
        const int atStart = batches();
        QDir().mkpath(path(QStringLiteral("args")));
        QVERIFY(startTolvik({wav(QStringLiteral("args/first.wav"), 0.3)}));
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("first.mp3")), 20000);
        const auto handOver = [&](const QStringList &arguments) {
            QProcess second;
            second.setProcessEnvironment(m_env);
            second.setWorkingDirectory(path(QStringLiteral("args")));
            second.start(m_program + QStringLiteral("/tolvik"), arguments);
            QVERIFY(second.waitForFinished(5000));
            QCOMPARE(second.exitCode(), 0);
        };
        wav(QStringLiteral("args/second.wav"), 0.3);
        handOver({QStringLiteral("second.wav")});
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("second.mp3")), 20000);

        handOver({wav(QStringLiteral("args/long.wav"), 300)});
        handOver({wav(QStringLiteral("args/third.wav"), 0.3)});
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("third.mp3")), 60000);
        QVERIFY(mp3sIn(out).contains(QStringLiteral("long.mp3")));
        // One batch took both: with a batch after them, four folder
        // openings in all once the last batch's has come (five, had they
        // been two).
        handOver({wav(QStringLiteral("args/fourth.wav"), 0.3)});
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("fourth.mp3")) && batches() >= atStart + 4, 20000);
        QCOMPARE(batches(), atStart + 4);
    }

    // A keyboard alone: Tab to "?" and Space opens help; Ctrl+O chooses
    // files that are converted; Escape stops a running batch.
    void theKeyboardAlone()
    {
        stopTolvik();
        QVERIFY(startTolvik());
        const QString out = m_program + QStringLiteral("/output");
        const QString log = path(QStringLiteral("opened.log"));
        const auto opened = [&] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
        };
        // (Keys come after the focus in the X server's order of events.)
        xdo({"windowfocus", "--sync", m_window});
        // The focus starts on the drop area (Enter there adds files); then
        // "Feedback", then "?".
        for (int i = 0; i < 2; ++i)
            xdo({"key", "Tab"});
        xdo({"key", "space"});
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral("help.html")), 10000);

        QDir().mkpath(path(QStringLiteral("keys")));
        const QString chosen = wav(QStringLiteral("keys/chosen.wav"), 0.3);
        QFile::remove(out + QStringLiteral("/chosen.mp3"));
        xdo({"windowfocus", "--sync", m_window});
        xdo({"key", "ctrl+o"});
        QString chooser;
        QTRY_VERIFY_WITH_TIMEOUT(!(chooser = xdo({"search", "--onlyvisible", "--name", "^Add audio files$"})
                                                 .section('\n', 0, 0)).isEmpty(), 10000);
        xdo({"windowfocus", "--sync", chooser});
        xdo({"type", "--delay", "5", chosen});
        xdo({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("chosen.mp3")), 20000);

        const QString temp = m_tmp.path() + QStringLiteral("/tolvik-%1").arg(::getuid());
        // A long file handed over, its encoder held, so that the batch runs
        // while the next thing happens.
        const auto longBatch = [&](const QString &name) {
            QProcess second;
            second.setProcessEnvironment(m_env);
            second.start(m_program + QStringLiteral("/tolvik"), {wav(QStringLiteral("keys/") + name, 420)});
            second.waitForFinished(20000);
            QString encoder;
            (void)QTest::qWaitFor([&] { return !(encoder = runningEncoder(temp)).isEmpty(); }, 30000);
            if (!encoder.isEmpty())
                ::kill(encoder.section('\n', 0, 0).toInt(), SIGSTOP); // no machine finishes it first
            return encoder.section('\n', 0, 0).toInt();
        };

        // A drop from another program during the batch joins it.
        const int held = longBatch(QStringLiteral("held.wav"));
        QVERIFY2(held > 0, "the encoder did not start");
        bool resumed = false;
        dropFromAnotherProcess({wav(QStringLiteral("keys/joined.wav"), 0.3)}, [&] {
            // Once: a signal that comes while a sanitized encoder ends, as its
            // leak check stops its threads, can leave that check waiting.
            if (!resumed) {
                ::kill(held, SIGCONT);
                resumed = true;
            }
            return mp3sIn(out).contains(QStringLiteral("joined.mp3"));
        });
        QVERIFY(mp3sIn(out).contains(QStringLiteral("held.mp3")));

        QFile::remove(out + QStringLiteral("/stopped.mp3"));
        const int encoder = longBatch(QStringLiteral("stopped.wav"));
        QVERIFY2(encoder > 0, "the encoder did not start");
        xdo({"windowfocus", "--sync", m_window});
        xdo({"key", "Escape"});
        QTRY_VERIFY_WITH_TIMEOUT(::kill(encoder, 0) != 0, 10000);
        QCOMPARE(m_tolvik->state(), QProcess::Running);
        QVERIFY(!mp3sIn(out).contains(QStringLiteral("stopped.mp3")));
        // The encoder is reaped a moment before its working files go.
        const auto leftOver = [&] {
            QStringList files;
            for (const QString &run : QDir(temp).entryList({QStringLiteral("run-*")}, QDir::Dirs))
                for (const QString &file : test::filesIn(temp + QLatin1Char('/') + run))
                    files << run + QLatin1Char('/') + file;
            return files;
        };
        QTRY_COMPARE_WITH_TIMEOUT(leftOver(), QStringList{}, 10000);
    }

    // A list chosen from the keyboard is kept by the system's settings and
    // read again by the next start: the next encoder gets it.
    void aChoiceSurvivesARestart()
    {
        stopTolvik();
        const QString kept = m_env.value(QStringLiteral("XDG_CONFIG_HOME")) + QStringLiteral("/Tolvik/Tolvik.conf");
        QFile::remove(kept);
        const auto cleanUp = qScopeGuard([&] {
            stopTolvik();
            QFile::remove(kept);
        });
        QVERIFY(startTolvik());
        xdo({"windowfocus", "--sync", m_window});
        // From the drop area back to the bit rate list, then one down (128 to 192).
        for (int i = 0; i < 5; ++i)
            xdo({"key", "shift+Tab"});
        xdo({"key", "Down"});
        const auto keptText = [&] {
            QFile file(kept);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_VERIFY2_WITH_TIMEOUT(keptText().contains(QLatin1String("bitRate=192")), qPrintable(keptText()), 10000);
        xdo({"key", "ctrl+q"});
        QTRY_COMPARE_WITH_TIMEOUT(m_tolvik->state(), QProcess::NotRunning, 10000);
        stopTolvik();

        const QString temp = m_tmp.path() + QStringLiteral("/tolvik-%1").arg(::getuid());
        QDir().mkpath(path(QStringLiteral("restart")));
        QVERIFY(startTolvik({wav(QStringLiteral("restart/long.wav"), 420)}));
        QString encoder; // its command line
        QTRY_VERIFY_WITH_TIMEOUT(!(encoder = QString::fromLocal8Bit(test::run(QStringLiteral("pgrep"), {"-af", temp + "/run-[0-9-]*/tmpfile1.mp3"}).out)).isEmpty(), 30000);
        QVERIFY2(encoder.contains(QLatin1String(" 192k ")), qPrintable(encoder));
    }

    // Twenty starts at once, each with its own file (a file manager's "Open"
    // on twenty files): one window, and every file converted.
    void manyStartsAtOnceLoseNoFile()
    {
        stopTolvik();
        const QString out = m_program + QStringLiteral("/output");
        QDir().mkpath(path(QStringLiteral("many")));
        QList<QProcess *> starts;
        QStringList expected;
        for (int i = 0; i < 20; ++i) {
            const QString name = QStringLiteral("start-%1").arg(i);
            const QString file = wav(QStringLiteral("many/") + name + QStringLiteral(".wav"), 0.2);
            QFile::remove(out + QLatin1Char('/') + name + QStringLiteral(".mp3"));
            expected << name + QStringLiteral(".mp3");
            auto *start = new QProcess(this);
            start->setProcessEnvironment(m_env);
            starts << start;
        }
        for (int i = 0; i < 20; ++i)
            starts[i]->start(m_program + QStringLiteral("/tolvik"), {path(QStringLiteral("many/start-%1.wav").arg(i))});
        const auto stored = [&] {
            const QStringList there = mp3sIn(out);
            return std::all_of(expected.cbegin(), expected.cend(), [&](const QString &name) { return there.contains(name); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(stored(), 60000);
        // Every start but the program ends once the program has its file.
        const auto runningStarts = [&] {
            return std::count_if(starts.cbegin(), starts.cend(), [](QProcess *p) { return p->state() == QProcess::Running; });
        };
        QTRY_VERIFY_WITH_TIMEOUT(runningStarts() <= 1, 30000);
        const QStringList windows = xdo({"search", "--onlyvisible", "--name", "^Tolvik$"}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        int running = 0;
        for (QProcess *start : starts) {
            running += start->state() == QProcess::Running;
            start->kill();
            start->waitForFinished();
            delete start;
        }
        QCOMPARE(windows.size(), 1);
        QCOMPARE(running, 1);
    }

    // The command line as users and file managers write it: after "--"
    // every argument is a file, help needs no display, and file: addresses
    // that name no file here are refused with a reason.
    void commandLineEdges()
    {
        QProcessEnvironment bare = m_env;
        bare.remove(QStringLiteral("DISPLAY"));
        bare.remove(QStringLiteral("WAYLAND_DISPLAY"));
        for (const char *option : {"--help", "--version"}) {
            QProcess help;
            help.setProcessEnvironment(bare);
            help.start(m_program + QStringLiteral("/tolvik"), {QLatin1String(option)});
            QVERIFY(help.waitForFinished(10000));
            QVERIFY2(help.exitStatus() == QProcess::NormalExit && help.exitCode() == 0, option);
            QVERIFY(!help.readAllStandardOutput().isEmpty());
        }
        // Without a display: said plainly, status 1, no abort.
        QProcess headless;
        bare.remove(QStringLiteral("QT_QPA_PLATFORM"));
        headless.setProcessEnvironment(bare);
        headless.start(m_program + QStringLiteral("/tolvik"), {});
        QVERIFY(headless.waitForFinished(10000));
        const QByteArray why = headless.readAllStandardError();
        QVERIFY2(headless.exitStatus() == QProcess::NormalExit && headless.exitCode() == 1, why.constData());
        QVERIFY2(why.contains("xvfb-run -a"), why.constData());

        QVERIFY(ensureTolvik());
        const QString out = m_program + QStringLiteral("/output");
        QDir().mkpath(path(QStringLiteral("dash")));
        wav(QStringLiteral("dash/-reverse.wav"), 0.3);
        wav(QStringLiteral("dash/ok.wav"), 0.3);
        QFile::remove(out + QStringLiteral("/-reverse.mp3"));
        QFile::remove(out + QStringLiteral("/ok.mp3"));
        QFile::remove(out + QStringLiteral("/Other.mp3"));
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.setWorkingDirectory(path(QStringLiteral("dash")));
        const QString okUrl = QUrl::fromLocalFile(path(QStringLiteral("dash/ok.wav"))).toString(QUrl::FullyEncoded);
        second.start(m_program + QStringLiteral("/tolvik"),
                     {okUrl + QStringLiteral("%00/x/Other.wav"), QStringLiteral("file:ok.wav"),
                      QStringLiteral("file://elsewhere") + path(QStringLiteral("dash/ok.wav")),
                      QStringLiteral("FILE://") + path(QStringLiteral("dash/ok.wav")), QStringLiteral("--"),
                      QStringLiteral("-reverse.wav")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        const QByteArray said = second.readAllStandardError();
        for (const char *reason : {"NUL", "without a full path", "another computer"})
            QVERIFY2(said.contains(reason), said.constData());
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("-reverse.mp3")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("ok.mp3")), 20000);
        QVERIFY2(!mp3sIn(out).contains(QStringLiteral("Other.mp3")), "a NUL in an address cut its name short");
    }

    // Two programs at once (no shared lock: other runtime folders, one
    // TMPDIR) never take each other's working files.
    void twoProgramsAtOnceKeepTheirOwnFiles()
    {
        stopTolvik();
        const QString out = m_program + QStringLiteral("/output");
        QList<QProcess *> programs;
        QMap<QString, qint64> expected; // output name → samples
        QDir().mkpath(path(QStringLiteral("two")));
        for (const char *side : {"a", "b"}) {
            QStringList files;
            for (int i = 0; i < 8; ++i) {
                const QString name = QStringLiteral("%1-%2").arg(QLatin1String(side)).arg(i);
                const double seconds = 0.2 + 0.05 * i + (side[0] == 'b' ? 0.025 : 0.0);
                files << wav(QStringLiteral("two/") + name + QStringLiteral(".wav"), seconds);
                QFile::remove(out + QLatin1Char('/') + name + QStringLiteral(".mp3"));
                // 16-bit stereo after sox's 44-byte header.
                expected.insert(name + QStringLiteral(".mp3"), (QFileInfo(files.last()).size() - 44) / 4);
            }
            const QString run = path(QStringLiteral("run-") + QLatin1String(side));
            QDir().mkpath(run);
            QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QProcessEnvironment env = m_env;
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
            auto *program = new QProcess(this);
            program->setProcessEnvironment(env);
            program->start(m_program + QStringLiteral("/tolvik"), files);
            QVERIFY(program->waitForStarted());
            programs << program;
        }
        const auto done = [&] {
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                if (!QFile::exists(out + QLatin1Char('/') + it.key()))
                    return false;
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(done(), 60000);
        for (QProcess *program : programs) {
            program->kill();
            program->waitForFinished();
            delete program;
        }
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(test::probeMp3(out + QLatin1Char('/') + it.key()).samples == it.value(),
                     qPrintable(it.key() + QStringLiteral(" holds another file's audio")));
    }

    // A logout, kill or Ctrl-C ends the program as its X button does, and a
    // crash of conv stays a crash that leaves no partial output.
    void signalsEndThingsCleanly()
    {
        const QString temp = m_tmp.path() + QStringLiteral("/tolvik-%1").arg(::getuid());
        const QString longFile = wav(QStringLiteral("signalled.wav"), 420);
        // (SIGKILL: the program cannot clean up, but its encoder must not
        // run on.)
        for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
            stopTolvik();
            QVERIFY(startTolvik({longFile}));
            QString encoder;
            (void)QTest::qWaitFor([&] { return !(encoder = runningEncoder(temp)).isEmpty(); }, 30000);
            QVERIFY2(!encoder.isEmpty(), "the encoder did not start");
            ::kill(static_cast<pid_t>(m_tolvik->processId()), signal);
            QVERIFY(m_tolvik->waitForFinished(10000));
            QTRY_VERIFY2_WITH_TIMEOUT(::kill(encoder.section('\n', 0, 0).toInt(), 0) != 0, "the encoder ran on after the program", 10000);
            QVERIFY2(signal == SIGKILL || QDir(temp).entryList({QStringLiteral("run-*")}, QDir::Dirs).isEmpty(),
                     "the run's folder was left");
            delete m_tolvik;
            m_tolvik = nullptr;
            m_window.clear();
        }

        QProcess conv;
        const QString output = path(QStringLiteral("crashed/out.mp3"));
        QDir().mkpath(path(QStringLiteral("crashed")));
        conv.start(m_program + QStringLiteral("/data/conv"), {"-threads", "1", "-i", longFile, "-y", output});
        QVERIFY(conv.waitForStarted());
        QTRY_VERIFY(!test::filesIn(path(QStringLiteral("crashed"))).isEmpty()); // its partial output
        ::kill(static_cast<pid_t>(conv.processId()), SIGSEGV);
        QVERIFY(conv.waitForFinished(10000));
        QCOMPARE(conv.exitStatus(), QProcess::CrashExit);
        QCOMPARE(test::filesIn(path(QStringLiteral("crashed"))), QStringList{});
    }

    // A second start's files reach the running program, or are converted
    // by the second start itself: never lost in silence.
    void handOversAreNeverLost()
    {
        stopTolvik();
        const QString out = m_program + QStringLiteral("/output");
        const QString failures = path(QStringLiteral("data/tolvik/failures.log"));
        const auto failedLines = [&](const QString &mark) {
            QFile log(failures);
            return log.open(QIODevice::ReadOnly) ? log.readAll().count(mark.toUtf8()) : 0;
        };
        const auto handOver = [&](const QStringList &arguments, const QProcessEnvironment &env) {
            QProcess second;
            second.setProcessEnvironment(env);
            second.start(m_program + QStringLiteral("/tolvik"), arguments);
            QVERIFY(second.waitForFinished(20000));
            QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
            QVERIFY2(second.readAllStandardError().isEmpty(), "the hand-over was not taken");
        };
        QVERIFY(startTolvik());

        // 2,000 long names: far more than one write of the channel.
        QStringList many;
        for (int i = 0; i < 2000; ++i)
            many << path(QStringLiteral("lost-%1-%2.wav").arg(i, 4, 10, QLatin1Char('0')).arg(QString(120, QLatin1Char('n'))));
        handOver(many, m_env);
        QTRY_COMPARE_WITH_TIMEOUT(failedLines(QStringLiteral("lost-")), 2000, 120000);

        // The channel's file removed, and a client that sends a line without
        // end: the channel is back and the next hand-over arrives.
        QVERIFY(QFile::remove(path(QStringLiteral("run/.tolvik.socket"))));
        QLocalSocket flood;
        QTRY_VERIFY_WITH_TIMEOUT((flood.abort(), flood.connectToServer(path(QStringLiteral("run/.tolvik.socket"))),
                                  flood.waitForConnected(200)), 10000);
        flood.write(QByteArray(1 << 20, 'x'));
        QTRY_VERIFY2_WITH_TIMEOUT((flood.waitForBytesWritten(100), flood.state() == QLocalSocket::UnconnectedState),
                                  "a line without end was read on and on", 10000);
        handOver({wav(QStringLiteral("back.wav"), 0.3)}, m_env);
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("back.mp3")), 20000);

        // A runtime folder too long for a socket's address.
        stopTolvik();
        const QProcessEnvironment saved = m_env;
        const QString longRun = path(QStringLiteral("run/") + QString(110, QLatin1Char('r')));
        QVERIFY(QDir().mkpath(longRun));
        QFile::setPermissions(longRun, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), longRun);
        QVERIFY(startTolvik());
        handOver({wav(QStringLiteral("far.wav"), 0.3)}, m_env);
        QTRY_VERIFY_WITH_TIMEOUT(mp3sIn(out).contains(QStringLiteral("far.mp3")), 20000);
        stopTolvik();
        m_env = saved;
    }

    // Whoever is slow, stopped or killed during a hand-off, each file is
    // converted by exactly one program: the running one, or the start
    // that gave up on it. Played with both real programs, then with the
    // test as either side of the exchange.
    void eachHandedFileHasOneOwner()
    {
        stopTolvik();
        const QString out = m_program + QStringLiteral("/output");
        const QString run = path(QStringLiteral("run"));
        const QString tolvik = m_program + QStringLiteral("/tolvik");
        int round = 0;
        const auto wavs = [&](int count) {
            QStringList files;
            ++round;
            for (int i = 0; i < count; ++i) {
                const QString name = QStringLiteral("owner-%1-%2").arg(round).arg(i);
                QFile::remove(out + QLatin1Char('/') + name + QStringLiteral(".mp3"));
                files << wav(QStringLiteral("owners/") + name + QStringLiteral(".wav"), 0.3);
            }
            return files;
        };
        const auto results = [&](const QStringList &files) {
            QStringList stamps; // a second conversion stores new files
            for (const QString &file : files) {
                struct stat st {};
                const QString mp3 = out + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QStringLiteral(".mp3");
                stamps << (::stat(QFile::encodeName(mp3).constData(), &st) == 0
                               ? QStringLiteral("%1@%2").arg(st.st_ino).arg(st.st_mtim.tv_nsec) : QString());
            }
            return stamps;
        };
        const auto stored = [&](const QStringList &files) { return !results(files).contains(QString()); };
        const auto noneStored = [&](const QStringList &files) { return results(files).count(QString()) == files.size(); };
        const auto twins = [&] { return test::filesIn(out, {QStringLiteral("owner-* (*).mp3")}); };
        const auto start = [&](const QStringList &files) {
            auto *second = new QProcess(this);
            second->setProcessEnvironment(m_env);
            second->start(tolvik, files);
            return second;
        };
        const auto end = [](QProcess *process) {
            process->kill();
            process->waitForFinished();
            delete process;
        };
        QDir().mkpath(path(QStringLiteral("owners")));

        // The running program stopped, then resumed after 5 s (within the
        // start's patience of 20 s) or after 25 s (past it).
        for (const int pause : {5000, 25000}) {
            QVERIFY(startTolvik());
            const qint64 first = m_tolvik->processId();
            ::kill(first, SIGSTOP);
            const QStringList files = wavs(3);
            QProcess *second = start(files);
            QTest::qWait(pause);
            if (pause < 20000) {
                ::kill(first, SIGCONT);
                QVERIFY2(second->waitForFinished(10000), "the start waited on after the running program answered");
                QVERIFY2(second->readAllStandardError().isEmpty(), "the resumed program did not take the files");
                QTRY_VERIFY_WITH_TIMEOUT(stored(files), 20000);
            } else {
                QTRY_VERIFY2_WITH_TIMEOUT(stored(files), "the start that gave up did not convert its files", 20000);
                QVERIFY(second->readAllStandardError().contains("did not take the files"));
                const QStringList before = results(files);
                // Resumed, it reads what waited on its channel before its
                // next heartbeat: two of them have passed when it is seen anew.
                const QString ready = run + QStringLiteral("/.tolvik.ready");
                const QDateTime beat = QFileInfo(ready).lastModified();
                ::kill(first, SIGCONT);
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(ready).lastModified() >= beat.addMSecs(1900), 10000);
                QVERIFY2(results(files) == before && twins().isEmpty(), "the resumed program converted them again");
            }
            end(second);
            stopTolvik();
        }

        // The running program killed while the offer waits for it: the
        // start converts its files itself, without waiting out its time.
        QVERIFY(startTolvik());
        ::kill(m_tolvik->processId(), SIGSTOP);
        QStringList files = wavs(2);
        QProcess *second = start(files);
        // Killed once the start has made its offer.
        QTRY_VERIFY_WITH_TIMEOUT(!test::filesIn(run, {QStringLiteral(".tolvik-offer-*")}).isEmpty(), 10000);
        stopTolvik();
        QTRY_VERIFY2_WITH_TIMEOUT(stored(files), "files offered to a program that was killed were lost", 8000);
        end(second);

        // The test as the start: an offer withdrawn, a message cut before
        // its offer and a token that is not one of ours are refused; an
        // offer whose start vanished right after sending it is taken.
        QVERIFY(startTolvik());
        const QString channel = platform::instanceChannel(run);
        const auto offer = [&](const QStringList &sent, const QByteArray &ending, bool makeToken) {
            QLocalSocket socket;
            socket.connectToServer(channel);
            QVERIFY(socket.waitForConnected(5000));
            QByteArray message;
            for (const QString &file : sent)
                message += "open " + QFile::encodeName(file).toPercentEncoding() + '\n';
            if (makeToken)
                QVERIFY(QFile(run + QLatin1Char('/') + QString::fromLatin1(ending.mid(6).trimmed())).open(QIODevice::WriteOnly));
            socket.write(message + ending);
            socket.waitForBytesWritten(2000);
            socket.disconnectFromServer();
        };
        const QStringList withdrawn = wavs(1), cut = wavs(1), foreign = wavs(1), vanished = wavs(2);
        QFile victim(path(QStringLiteral("owners/victim")));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.close();
        offer(withdrawn, "offer .tolvik-offer-1-gone\n", false);
        offer(cut, "", false);
        offer(foreign, "offer ../owners/victim\n", false);
        offer(vanished, "offer .tolvik-offer-1-left\n", true);
        // (Offers are read in the order they came: one taken wrongly would
        // have been queued before the last.)
        QTRY_VERIFY2_WITH_TIMEOUT(stored(vanished), "a complete offer was dropped when its start vanished", 20000);
        QVERIFY2(noneStored(withdrawn + cut + foreign), "files were taken without their offer");
        QVERIFY2(QFile::exists(victim.fileName()), "a token outside the runtime folder was removed");
        QVERIFY(!QFile::exists(run + QStringLiteral("/.tolvik-offer-1-left")));
        stopTolvik();

        // The test as the running program: it reads the offer, then ends
        // without taking it, or ends just after taking it.
        for (const bool takes : {false, true}) {
            // (A child the killed program was starting may still be between
            // its fork and its exec, holding the lock's descriptor a moment:
            // forking a sanitized program takes long.)
            platform::InstanceLock lock;
            auto got = platform::InstanceLock::Result::Unavailable;
            QTest::qWaitFor([&] {
                got = lock.acquire(run, QStringLiteral(".tolvik.lock"));
                return got == platform::InstanceLock::Result::Acquired;
            }, 5000);
            QCOMPARE(got, platform::InstanceLock::Result::Acquired);
            QLocalServer::removeServer(channel);
            QLocalServer server;
            QVERIFY(server.listen(channel));
            files = wavs(2);
            second = start(files);
            QVERIFY(server.waitForNewConnection(10000));
            QLocalSocket *socket = server.nextPendingConnection();
            QByteArray token;
            QTRY_VERIFY_WITH_TIMEOUT((token += socket->readAll(), token.contains("offer ") && token.endsWith('\n')), 5000);
            token = token.mid(token.indexOf("offer ") + 6).trimmed();
            if (takes)
                QVERIFY(QFile::remove(run + QLatin1Char('/') + QString::fromLatin1(token)));
            socket->abort();
            if (takes) {
                // (Ended: a start that converts files itself runs on.)
                QVERIFY2(second->waitForFinished(12000), "a start whose files were taken went on");
                QVERIFY2(noneStored(files), "a start converted files the running program had taken");
                delete second;
            } else {
                QTRY_VERIFY2_WITH_TIMEOUT(stored(files), "files not taken were not converted by their start", 20000);
                end(second);
            }
        }
        QCOMPARE(test::filesIn(run, {QStringLiteral(".tolvik-offer-*")}), QStringList{});
    }

    void underOpenbox()
    {
        m_openbox.start(QStringLiteral("openbox"), {"--sm-disable"});
        QVERIFY(m_openbox.waitForStarted());
        // Managing once it says so on the root window.
        QTRY_VERIFY_WITH_TIMEOUT(test::run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).out.contains("window id"), 20000);
        stopTolvik();
        QVERIFY(startTolvik());

        // Dragging by the surface moves the window by the pointer's travel.
        QRect before = geometry();
        dragPointer(at(260, 200), at(260 + 80, 200 + 50));
        QTRY_COMPARE(geometry().topLeft(), before.topLeft() + QPoint(80, 50));

        // A label is no part of the surface: a drag on it moves nothing.
        // Seen by a drag on the surface after it, handled in their order:
        // the window ends moved by the second drag's travel alone.
        const auto onlyMovedBySurface = [&](const QPoint &from) {
            const QPoint origin = from;
            dragPointer(at(260, 200), at(260 + 20, 200 + 10));
            return QTest::qWaitFor([&] { return geometry().topLeft() != origin; }, 5000)
                   && geometry().topLeft() == origin + QPoint(20, 10);
        };
        before = geometry();
        dragPointer(at(90, 16), at(90 + 60, 16 + 40));
        QVERIFY2(onlyMovedBySurface(before.topLeft()), "a drag on a label moved the window");

        // Quick clicks start no drag, and the next click on a control works.
        before = geometry();
        const QPoint bare = at(260, 200);
        pointerTo(bare);
        xdo({"click", "--repeat", "10", "--delay", "60", "1"});
        pointerTo(bare + QPoint(30, -15));
        QVERIFY2(onlyMovedBySurface(before.topLeft()), "quick clicks moved the window");

        // The arrow boxes drop their lists.
        const auto visibleWindows = [&] {
            return xdo({"search", "--onlyvisible", "--pid", QString::number(m_tolvik->processId()), "--class", "tolvik"})
                .split('\n', Qt::SkipEmptyParts)
                .size();
        };
        const int closed = visibleWindows();
        for (const QPoint box : {QPoint(88, 56), QPoint(206, 56), QPoint(206, 104)}) {
            clickAt(at(box.x() + 9, box.y() + 9));
            QTRY_VERIFY(visibleWindows() > closed);
            xdo({"key", "Escape"});
            QTRY_COMPARE(visibleWindows(), closed);
        }

        // It stays above a normal window that is activated after it.
        const QString belowId = xdo({"search", "--name", "^Below$"}).section('\n', 0, 0);
        xdo({"windowactivate", "--sync", belowId});
        // Stacked anew by the time the window manager names it active.
        const QString hexActive = QStringLiteral("0x%1").arg(belowId.toULongLong(), 0, 16);
        QTRY_VERIFY(test::run(QStringLiteral("xprop"), {"-root", "_NET_ACTIVE_WINDOW"}).out.contains(hexActive.toLatin1()));
        const QString stacking = QString::fromLocal8Bit(
            test::run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"}).out);
        const QString hexBelow = QStringLiteral("0x%1").arg(belowId.toULongLong(), 0, 16);
        const QString hexTolvik = QStringLiteral("0x%1").arg(m_window.toULongLong(), 0, 16);
        QVERIFY2(stacking.indexOf(hexTolvik) > stacking.indexOf(hexBelow), qPrintable(stacking));
        QVERIFY(test::run(QStringLiteral("xprop"), {"-id", m_window, "_NET_WM_STATE"}).out.contains("_NET_WM_STATE_ABOVE"));

        // Minimise iconifies it; a second start brings it back.
        clickAt(at(349 + 7, 9 + 7));
        QTRY_VERIFY2(wmState().contains(QStringLiteral("Iconic")), qPrintable(wmState()));
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.start(m_program + QStringLiteral("/tolvik"), {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY2(wmState().contains(QStringLiteral("Normal")), qPrintable(wmState()));
    }
};

QTEST_MAIN(ProgramX11Test)
#include "test_program_x11.moc"
