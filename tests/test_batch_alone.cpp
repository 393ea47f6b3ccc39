// The conversion batch with no window at all: a plain queue as its input,
// the real conv, real files, and the order of what it reports.
#include "TestSupport.h"
#include "main_window/batch/BatchInput.h"
#include "main_window/batch/ConversionBatch.h"
#include "main_window/batch/FailureLog.h"
#include "main_window/batch/FolderWalk.h"
#include "main_window/Installation.h"

#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <optional>
#include <utility>

namespace {

struct PlainInput : BatchInput {
    QString folder;
    QString rate = QStringLiteral("22050");
    bool skip = false;
    FileSettings encodeSettings() const override { return {QStringLiteral("64"), rate, 1}; }
    bool skipConverted() const override { return skip; }
    QString outputFolder() const override { return folder; }
};

} // namespace

class BatchAloneTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void reportsEachStepAndReadsSettingsPerFile()
    {
        PlainInput input;
        input.folder = m_tmp.filePath(QStringLiteral("out"));
        ConversionBatch batch(input, Installation{test::programDir(), m_tmp.path(), {}}.batchFiles());
        batch.setWorkingFolder(platform::preparePrivateFolder(m_tmp.path()));
        const QString good = m_tmp.filePath(QStringLiteral("good.wav"));
        QVERIFY(test::makeWav(good, {"-r", "44100", "-c", "2", "-b", "16"}, 0.5));
        // (The second is encoded beside the first, before the change below:
        // it is encoded again with the settings of its turn.)
        const QStringList queue{good, good, m_tmp.filePath(QStringLiteral("missing.wav"))};
        // A partial copy a killed run left is removed; one being written now is not.
        // A folder named as the result is a taken name.
        QDir().mkpath(input.folder + QStringLiteral("/good.mp3"));
        for (const char *name : {".tolvik-part-killed", ".tolvik-part-busy"}) {
            QFile part(input.folder + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(part.open(QIODevice::WriteOnly));
            part.write("partial");
            part.flush();
            if (part.fileName().endsWith(QLatin1String("killed")))
                part.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
        }

        QStringList steps;
        QStringList reasons; // printed when the steps are not the expected ones
        connect(&batch, &ConversionBatch::fileLoading, this, [&](int left) { steps << QStringLiteral("load %1").arg(left); });
        connect(&batch, &ConversionBatch::fileStarted, this, [&](int left) { steps << QStringLiteral("start %1").arg(left); });
        connect(&batch, &ConversionBatch::fileFinished, this, [&](const FileOutcome &file) {
            steps << QStringLiteral("%1 %2").arg(file.converted ? "done" : "failed").arg(file.left);
            if (!file.converted)
                reasons << file.source + QStringLiteral(": ") + file.reason;
            input.rate = QStringLiteral("8000"); // read afresh for the next file
        });
        QSignalSpy finished(&batch, &ConversionBatch::batchFinished);
        QSignalSpy ended(&batch, &ConversionBatch::batchEnded);
        QSignalSpy startRequested(&batch, &ConversionBatch::startRequested);
        batch.enqueue(queue);
        QCOMPARE(startRequested.size(), 1);
        QCOMPARE(batch.queue(), queue);
        batch.start();
        QVERIFY2(ended.wait(60000), "the batch did not end");
        QCOMPARE(batch.queue(), QStringList{});

        const QStringList expected{"load 3", "start 3", "done 2", "load 2", "start 2", "done 1",
                                   "load 1", "start 1", "failed 0"};
        QVERIFY2(steps == expected, qPrintable(steps.join(QLatin1Char(' ')) + QStringLiteral("; failed: ")
                                               + reasons.join(QStringLiteral("; "))));
        QCOMPARE(finished.size(), 1);
        const auto summary = finished.first().at(0).value<BatchSummary>();
        QCOMPARE(summary.failed.size(), 1);
        QCOMPARE(summary.failed.first().source, m_tmp.filePath(QStringLiteral("missing.wav")));
        QCOMPARE(summary.total, 3);
        QCOMPARE(ended.size(), 1);
        // The same source twice in one batch replaces its own result.
        QCOMPARE(test::filesIn(input.folder), (QStringList{QStringLiteral(".tolvik-part-busy"), QStringLiteral("good (2).mp3")}));
        QCOMPARE(test::probeMp3(input.folder + QStringLiteral("/good (2).mp3")).sampleRate, 8000);
        QVERIFY(!QFile::exists(batch.workingFiles().input()));
        QVERIFY(!QFile::exists(batch.workingFiles().output()));
    }

    // One record a line whatever the names hold, and a log that stays small.
    void theFailureLogKeepsOneLineARecordAndStaysBounded()
    {
        const QString file = m_tmp.filePath(QStringLiteral("log/failures.log"));
        FailureLog log(file);
        const QString controls = QStringLiteral("a\x1b[2Jb\x07c\x08d\x0b\x0ce\u0085f\u2028g\u2029h\ni\rj");
        log.append(QStringLiteral("/music/") + controls + QStringLiteral(".wav"), QStringLiteral("why\x1b"));
        QFile read(file);
        QVERIFY(read.open(QIODevice::ReadOnly));
        const QByteArray written = read.readAll();
        read.close();
        QCOMPARE(written.count('\n'), 1);
        for (const char c : written)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n', "a control byte was written raw");
        for (const char *raw : {"\xc2\x85", "\xe2\x80\xa8", "\xe2\x80\xa9"})
            QVERIFY2(!written.contains(raw), "a Unicode line break was written raw");

        // A Windows path reads as one; a literal escape cannot pass for one.
        log.append(QStringLiteral("C:\\users\\tmp\\new\\x\\u{7}.wav"), QStringLiteral("why"));
        QVERIFY(read.open(QIODevice::ReadOnly));
        const QByteArray second = read.readAll().split('\n').value(1);
        read.close();
        QVERIFY2(second.contains("\tC:\\users\\tmp\\new\\x\\\\u{7}.wav\t"), second.constData());

        const QString longReason(2000, QLatin1Char('r'));
        for (int i = 0; i < 1200; ++i)
            log.append(QStringLiteral("/music/%1.wav").arg(i), longReason);
        QVERIFY2(QFileInfo(file).size() <= (qint64(1) << 20) + 4096, "the log grows without bound");
        QVERIFY(QFileInfo::exists(file + QStringLiteral(".1")));

        // A log that cannot be written now (held open by another program on
        // Windows) loses no line: each is written, in order, once it can be.
        const QString held = m_tmp.filePath(QStringLiteral("log/held.log"));
        FailureLog heldLog(held);
        QVERIFY(heldLog.append(QStringLiteral("/music/first.wav"), QStringLiteral("why")));
        {
            test::HeldFile holding(held);
            QVERIFY(!heldLog.append(QStringLiteral("/music/second.wav"), QStringLiteral("why")));
        }
        QVERIFY(heldLog.hasUnwritten());
        QVERIFY(heldLog.append(QStringLiteral("/music/third.wav"), QStringLiteral("why")));
        QFile heldRead(held);
        QVERIFY(heldRead.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = heldRead.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(lines.at(i).contains(QByteArrayList{"first", "second", "third"}.at(i)), lines.at(i).constData());

        // A log that is a FIFO nobody reads holds nothing up (the window
        // would freeze at its first failure).
        const QString fifo = m_tmp.filePath(QStringLiteral("log/fifo.log"));
        if (test::makeFifo(fifo)) {
            QElapsedTimer took;
            took.start();
            FailureLog(fifo).append(QStringLiteral("/music/a.wav"), QStringLiteral("why"));
            QVERIFY2(took.elapsed() < 2000, "writing the log waited for a reader");
        }
    }

    // "Stop the batch now" at each step: nothing runs on, nothing is left
    // in the private folder or stored, the queue is empty, and the next
    // batch works.
    // Asked to keep earlier results, a batch passes over a source whose
    // result is there, as it would name it and newer than the source, and
    // converts every other: a source changed since, a result of another
    // name, a name that is a source of the batch (the user's own MP3).
    void earlierResultsAreKeptWhenAsked()
    {
        PlainInput input;
        input.folder = m_tmp.filePath(QStringLiteral("kept"));
        QDir().mkpath(input.folder);
        ConversionBatch batch(input, Installation{test::programDir(), m_tmp.path(), {}}.batchFiles());
        batch.setWorkingFolder(platform::preparePrivateFolder(m_tmp.path()));
        const auto file = [&](const QString &name) { return input.folder + QLatin1Char('/') + name; };
        const auto run = [&](const QStringList &sources) {
            QSignalSpy finished(&batch, &ConversionBatch::batchFinished);
            QSignalSpy ended(&batch, &ConversionBatch::batchEnded);
            QSignalSpy outcomes(&batch, &ConversionBatch::fileFinished);
            batch.enqueue(sources);
            batch.start();
            [&] { QVERIFY(ended.wait(60000)); }();
            QStringList told;
            for (const QList<QVariant> &outcome : outcomes) {
                const auto o = outcome.first().value<FileOutcome>();
                told << QFileInfo(o.source).fileName() + (o.skipped ? ": kept" : o.converted ? ": converted" : ": failed");
            }
            return std::pair{told, finished.isEmpty() ? BatchSummary{} : finished.first().first().value<BatchSummary>()};
        };
        for (const char *name : {"same.wav", "changed.wav", "renamed.wav", "mine.wav"})
            QVERIFY(test::makeWav(file(QString::fromLatin1(name)), {"-r", "8000", "-c", "1", "-b", "16"}, 0.2));
        QVERIFY(QFile::copy(file("same.wav"), file("mine.mp3"))); // the user's own "MP3" (a WAV inside: conv reads it)
        run({file("same.wav"), file("changed.wav"), file("renamed.wav")});
        QVERIFY(QFile::rename(file("renamed.mp3"), file("renamed (2).mp3")));
        const QDateTime kept = QFileInfo(file("same.mp3")).lastModified();
        QFile changed(file("changed.wav"));
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        changed.close();

        input.skip = true;
        const auto [told, summary] = run({file("same.wav"), file("changed.wav"), file("renamed.wav"), file("mine.wav"), file("mine.mp3")});
        QCOMPARE(told, (QStringList{"same.wav: kept", "changed.wav: converted", "renamed.wav: converted", "mine.wav: converted",
                                    "mine.mp3: converted"}));
        QCOMPARE(summary.skipped, 1);
        QCOMPARE(summary.failed.size(), 0);
        QCOMPARE(QFileInfo(file("same.mp3")).lastModified(), kept);
        QVERIFY(QFile::exists(file("renamed.mp3")));
        QCOMPARE(QFileInfo(file("mine.mp3")).size(), QFileInfo(file("same.wav")).size()); // the user's file untouched
    }

    // A dropped folder stands for every audio file conv reads, known by
    // its contents; a file named as audio that is not is told; an MP3
    // beside a source of its name (its result) and other files are passed
    // over.
    void aFolderListsEveryAudioFormat()
    {
#ifdef Q_OS_WIN
        QSKIP("the audio files are made by the host's sox");
#endif
        const QString folder = m_tmp.filePath(QStringLiteral("formats"));
        QDir().mkpath(folder);
        const struct {
            const char *name;
            QStringList format; // sox's, or empty: the content below
            QByteArray content;
            const char *told;   // null: passed over
        } rows[] = {
            {"a.flac", {"-t", "flac"}, {}, ""},
            {"b.ogg", {"-t", "vorbis"}, {}, ""},
            {"c.aiff", {"-t", "aiff"}, {}, ""},
            {"d.caf", {"-t", "caf"}, {}, ""},
            {"e.au", {"-t", "au"}, {}, ""},
            {"f no suffix", {"-t", "flac"}, {}, ""},
            {"g.mp3", {}, "ID3\x04\0\0\0\0\0\0", nullptr}, // g.wav's result
            {"g.wav", {"-t", "wav"}, {}, ""},
            {"h.mp3", {}, "ID3\x04\0\0\0\0\0\0", ""},
            {"i.wav", {}, "some text", "not an audio file, whatever its name"},
            {"j.flac", {}, "", "not an audio file, whatever its name"},
            {"k.txt", {}, "notes", nullptr},
        };
        QStringList expected;
        for (const auto &row : rows) {
            const QString file = folder + QLatin1Char('/') + QLatin1String(row.name);
            if (!row.format.isEmpty()) {
                QVERIFY(test::makeWav(file, QStringList{"-r", "8000", "-c", "1"} + row.format, 0.1));
            } else {
                QFile plain(file);
                QVERIFY(plain.open(QIODevice::WriteOnly));
                plain.write(row.content);
            }
            if (row.told)
                expected << QLatin1String(row.name) + (*row.told ? QStringLiteral(": ") + QLatin1String(row.told) : QString());
        }
        // Not ours to read (held open by another program, on Windows): told
        // when its name says audio, passed over otherwise.
        for (const char *name : {"l.wav", "m.txt"}) {
            const QString file = folder + QLatin1Char('/') + QLatin1String(name);
            QVERIFY(test::makeWav(file, {"-r", "8000", "-c", "1", "-t", "wav"}, 0.1));
            QVERIFY(QFile::setPermissions(file, {}));
        }
        expected << QStringLiteral("l.wav: cannot be read: Permission denied");
        QStringList found;
        std::atomic_bool cancelled{false};
        {
            test::WithoutFileAccessOverride plainUser; // root reads any file
            walkFolder(folder, cancelled, [&](const QueuedSource &source) {
                found << QFileInfo(source.path).fileName() + (source.failure.isEmpty() ? QString() : ": " + source.failure);
            });
        }
        QCOMPARE(found, expected);
    }

    // A sub-folder swapped, after its parent was read, for a link to
    // another folder or for another folder: the walk never enters what it
    // did not list (it fails that sub-folder instead).
    void aFolderSwappedDuringTheWalkIsNotEntered()
    {
#ifdef Q_OS_WIN
        QSKIP("Linux: Windows has no links to folders a user makes");
#endif
        for (const bool asLink : {true, false}) {
            const QString root = m_tmp.filePath(QStringLiteral("swap%1").arg(asLink));
            const QString album = root + QStringLiteral("/Album");
            const QString elsewhere = root + QStringLiteral("/elsewhere");
            for (const QString &file : {album + "/a.wav", album + "/zz/inside.wav", elsewhere + "/secret.wav"}) {
                QDir().mkpath(QFileInfo(file).path());
                QVERIFY(test::makeWav(file, {"-r", "8000", "-c", "1", "-b", "16"}, 0.1));
            }
            QStringList found;
            std::atomic_bool cancelled{false};
            walkFolder(album, cancelled, [&](const QueuedSource &source) {
                found << QFileInfo(source.path).fileName() + (source.failure.isEmpty() ? QString() : ": " + source.failure);
                if (found.size() > 1)
                    return;
                // Album was read: now zz goes, and something else takes its name.
                QVERIFY(QDir(album + "/zz").removeRecursively());
                QVERIFY(asLink ? QFile::link(elsewhere, album + "/zz") : QDir().rename(elsewhere, album + "/zz"));
            });
            QCOMPARE(found.first(), QStringLiteral("a.wav"));
            QVERIFY2(found.size() == 2 && found.last().startsWith(QLatin1String("zz: cannot be read")), qPrintable(found.join(" | ")));
        }
    }

    void stopEndsTheBatchAtEveryStep_data()
    {
        QTest::addColumn<QString>("step");
        QTest::newRow("loading") << QStringLiteral("loading");
        QTest::newRow("encoding") << QStringLiteral("encoding");
        QTest::newRow("ending") << QStringLiteral("ending");
    }
    void stopEndsTheBatchAtEveryStep()
    {
        QFETCH(QString, step);
        PlainInput input;
        input.folder = m_tmp.filePath(QStringLiteral("stop-out-") + step);
        const QString temp = m_tmp.filePath(QStringLiteral("stop-temp-") + step);
        QDir().mkpath(temp);
        ConversionBatch batch(input, Installation{test::programDir(), temp, {}}.batchFiles());
        batch.setWorkingFolder(platform::preparePrivateFolder(temp));
        // A copy that takes a while: a large file where no link can stand
        // in for a copy (on another file system than the working folder).
        const QStorageInfo shm(QStringLiteral("/dev/shm"));
        std::optional<QTemporaryDir> elsewhere;
        if (step == QLatin1String("loading") && shm.isValid() && shm.device() != QStorageInfo(temp).device())
            elsewhere.emplace(QStringLiteral("/dev/shm/tolvik-test-XXXXXX"));
        const QString source = (elsewhere ? elsewhere->path() : m_tmp.path()) + QStringLiteral("/stop-") + step
                               + QStringLiteral(".wav");
        if (step == QLatin1String("loading")) {
            QFile big(source); // sparse: large to copy, quick to make
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(2) << 30));
        } else {
            QVERIFY(test::makeWav(source, {"-r", "44100", "-c", "2", "-b", "16"},
                                  step == QLatin1String("encoding") ? 600 : 0.2));
        }
        batch.enqueue({source, source});

        auto stopSoon = [&] { QTimer::singleShot(step == QLatin1String("loading") ? 100 : 20, &batch, [&] { batch.stop(); }); };
        if (step == QLatin1String("loading"))
            connect(&batch, &ConversionBatch::fileLoading, this, stopSoon, Qt::SingleShotConnection);
        else if (step == QLatin1String("encoding"))
            connect(&batch, &ConversionBatch::fileStarted, this, stopSoon, Qt::SingleShotConnection);
        else
            connect(&batch, &ConversionBatch::batchFinished, this, [&] { batch.stop(); });
        QSignalSpy stopped(&batch, &ConversionBatch::batchStopped);
        QSignalSpy ended(&batch, &ConversionBatch::batchEnded);
        batch.start();
        QVERIFY2(stopped.wait(30000), "the batch did not stop");
        QVERIFY(!batch.isRunning());
        QCOMPARE(batch.queue(), QStringList{});
        const QString folder = QFileInfo(batch.workingFiles().input()).absolutePath();
        QCOMPARE(test::filesIn(folder), QStringList{});
        // An encoder left running would write its partial output here.
        QTest::qWait(1500);
        QVERIFY2(test::filesIn(folder).isEmpty(), qPrintable(test::filesIn(folder).join(QLatin1Char(' '))));
        QCOMPARE(ended.size(), 0);
        if (step != QLatin1String("ending"))
            QCOMPARE(test::filesIn(input.folder), QStringList{});

        // The next batch runs as any other.
        disconnect(&batch, &ConversionBatch::batchFinished, this, nullptr);
        const QString small = m_tmp.filePath(QStringLiteral("after-stop.wav"));
        QVERIFY(test::makeWav(small, {"-r", "8000", "-c", "1", "-b", "16"}, 0.1));
        batch.enqueue({small});
        batch.start();
        QVERIFY2(ended.wait(30000), "the batch after a stop did not end");
        QVERIFY(test::filesIn(input.folder).contains(QStringLiteral("after-stop.mp3")));
    }
};

QTEST_MAIN(BatchAloneTest)
#include "test_batch_alone.moc"
