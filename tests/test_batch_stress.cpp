// The batch under stress, as users and hostile inputs meet it: seeded
// rounds of files of distinct lengths and tones (so a result names its
// source), some broken or missing, one written to while it is encoded,
// settings changed, folders dropped and stops (Escape, the window closed)
// at random moments; the real window, the real conv, invariants checked
// after every round. TOLVIK_STRESS_SEED replays a failure,
// TOLVIK_STRESS_ROUNDS sets how many rounds.
#include "TestSupport.h"
#include "main_window/FrmMain.h"
#include "sources/DropArea.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <sys/stat.h>

namespace {

struct Source {
    QString path;
    QString result;     // where its result goes, should it be converted
    qint64 frames = 0;  // 0: not audio, or missing
    int rate = 44100;
    double tone = 0;
    bool written = false; // written to during the round
};

// The tone of the first channel, from its rising zero crossings.
double toneOf(const QList<float> &samples, int channels, int rate)
{
    qint64 rising = 0;
    for (qsizetype i = channels; i < samples.size(); i += channels)
        rising += samples[i - channels] < 0 && samples[i] >= 0;
    const double seconds = double(samples.size() / channels) / rate;
    return seconds > 0 ? rising / seconds : 0;
}

// This process's encoders (its children whose command line names `run`).
int encodersIn(const QString &run)
{
    int count = 0;
    const QByteArray parent = "PPid:\t" + QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains(run.toLocal8Bit())
            && status.open(QIODevice::ReadOnly) && status.readAll().contains(parent))
            ++count;
    }
    return count;
}

} // namespace

class BatchStressTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void everyResultHoldsItsOwnSource()
    {
        const quint32 seed = qEnvironmentVariableIsSet("TOLVIK_STRESS_SEED")
                                 ? qEnvironmentVariable("TOLVIK_STRESS_SEED").toUInt() // (a seed may pass INT_MAX)
                                 : QRandomGenerator::global()->generate();
        const int rounds = qEnvironmentVariableIsSet("TOLVIK_STRESS_ROUNDS") ? qEnvironmentVariableIntValue("TOLVIK_STRESS_ROUNDS") : 12;
        qInfo("seed %u (TOLVIK_STRESS_SEED=%u replays it)", seed, seed);
        QRandomGenerator random(seed);
        for (int round = 0; round < rounds; ++round) {
            const QString where = QStringLiteral("seed %1, round %2: ").arg(seed).arg(round);
            oneRound(random, m_tmp.filePath(QStringLiteral("r%1").arg(round)), where);
            if (QTest::currentTestFailed())
                return;
        }
    }

private:
    void oneRound(QRandomGenerator &random, const QString &base, const QString &where)
    {
        QDir().mkpath(base);
        const QString out = base + QStringLiteral("/out");
        QList<Source> sources;
        int tone = 0;
        // Distinct lengths: each result's length names its source.
        const auto audio = [&](const QString &path, double seconds, bool wide) {
            Source s{path, {}, 0, wide ? 96000 : 44100, 220.0 + 70 * tone++};
            const QStringList format = wide ? QStringList{"-r", "96000", "-c", "8", "-b", "32"}
                                            : QStringList{"-r", "44100", "-c", "1", "-b", "16"};
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (!test::makeWav(path, format, seconds, QStringLiteral("sine %1").arg(s.tone)))
                return s;
            s.frames = qint64(std::llround(seconds * s.rate));
            return s;
        };
        const int count = 4 + random.bounded(5);
        QStringList dropped;
        for (int i = 0; i < count; ++i) {
            const QString path = base + QStringLiteral("/in/f%1.wav").arg(i);
            const int kind = random.bounded(12);
            if (kind == 0) { // text under a WAV's name
                QFile text(path);
                QDir().mkpath(QFileInfo(path).absolutePath());
                QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not audio at all\n") > 0);
                sources << Source{path, {}};
            } else if (kind == 1) { // gone before its turn
                sources << Source{path, {}};
            } else {
                // Long ones (above 16 MiB) encode on their own, on all cores.
                const bool wide = kind == 2;
                sources << audio(path, wide ? 5.6 + 0.01 * i : 0.4 + 0.013 * (i * 7 + random.bounded(7)), wide);
                QVERIFY2(sources.last().frames > 0, qPrintable(where + QStringLiteral("sox failed")));
            }
            sources.last().result = out + QStringLiteral("/f%1.mp3").arg(i);
            dropped << path;
        }
        // A folder dropped during the batch.
        const bool withFolder = random.bounded(2);
        if (withFolder) {
            for (int i = 0; i < 3; ++i) {
                const QString path = base + QStringLiteral("/later/g%1.wav").arg(i);
                sources << audio(path, 0.5 + 0.031 * i, false);
                sources.last().result = out + QStringLiteral("/later/g%1.mp3").arg(i);
            }
        }
        const int victim = random.bounded(count); // written to once its working input appears
        const bool rewrite = random.bounded(2);    // else appended to

        auto w = test::loadedMainWindow(base);
        QVERIFY(w);
        w->control<QLineEdit>("txtPath")->setText(out);
        const QString run = w->batch().workingFiles().folder();
        QMap<QString, FileOutcome> outcomes;
        QStringList twice;
        connect(&w->batch(), &ConversionBatch::fileFinished, this, [&](const FileOutcome &file) {
            if (outcomes.contains(file.source))
                twice << file.source;
            outcomes.insert(file.source, file);
        });

        // The victim's write, as soon as its working link is there.
        struct stat victimStat {};
        const bool victimIsAudio = sources[victim].frames > 0 && ::stat(QFile::encodeName(sources[victim].path), &victimStat) == 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            for (const QString &name : test::filesIn(run)) {
                struct stat st {};
                if (::stat(QFile::encodeName(run + QLatin1Char('/') + name), &st) == 0 && st.st_ino == victimStat.st_ino
                    && st.st_dev == victimStat.st_dev) {
                    QFile file(sources[victim].path);
                    if (!rewrite) {
                        sources[victim].written = file.open(QIODevice::Append) && file.write("more") == 4;
                    } else if (file.open(QIODevice::ReadWrite)) {
                        // Its last 40 % silenced, as long as before and with
                        // its time of last write put back to the nanosecond.
                        struct stat before {};
                        ::fstat(file.handle(), &before);
                        const qint64 from = file.size() * 6 / 10;
                        sources[victim].written = file.seek(from) && file.write(QByteArray(file.size() - from, '\0')) > 0
                                                  && file.flush();
                        const timespec times[2] = {before.st_atim, before.st_mtim};
                        ::futimens(file.handle(), times);
                    }
                    watch.stop();
                    return;
                }
            }
        });
        if (victimIsAudio)
            watch.start(1);

        // Random moments, counted in files begun.
        const int stopAt = random.bounded(3) == 0 ? random.bounded(count + 1) : -1;
        const bool byClosing = random.bounded(2);
        const int changeAt = random.bounded(count + 2);
        const int folderAt = random.bounded(count);
        int begun = 0;
        QAction *escape = nullptr;
        for (QAction *action : w->actions())
            if (action->shortcut() == QKeySequence(Qt::Key_Escape))
                escape = action;
        QVERIFY(escape);
        connect(&w->batch(), &ConversionBatch::fileLoading, this, [&] {
            const int now = begun++;
            if (now == changeAt) {
                auto *rate = w->control<QComboBox>("cmbR");
                rate->setCurrentText(rate->currentText() == QLatin1String("22050") ? QStringLiteral("44100") : QStringLiteral("22050"));
                w->control<QComboBox>("cmbChannel")->setCurrentIndex(random.bounded(2));
            }
            if (now == folderAt && withFolder)
                w->openFiles({base + QStringLiteral("/later")});
            if (now == stopAt) {
                // A little later, wherever the batch is then.
                QTimer::singleShot(random.bounded(400), w.get(), [&, byClosing] {
                    if (byClosing)
                        w->close();
                    else
                        escape->trigger();
                });
            }
        });

        QSignalSpy ended(&w->batch(), &ConversionBatch::batchEnded);
        QSignalSpy stopped(&w->batch(), &ConversionBatch::batchStopped);
        QCOMPARE(test::dropFiles(w->control<DropArea>("picDrag"), dropped), Qt::CopyAction);
        QVERIFY2(QTest::qWaitFor([&] { return !ended.isEmpty() || !stopped.isEmpty(); }, 180000),
                 qPrintable(where + QStringLiteral("the batch never ended; finished: ") + QStringList(outcomes.keys()).join(' ')));
        watch.stop();
        const bool wasStopped = !stopped.isEmpty();

        // Nothing left running or lying in the working folder.
        QCOMPARE(encodersIn(run), 0);
        QVERIFY2(test::filesIn(run).isEmpty(), qPrintable(where + test::filesIn(run).join(' ')));
        QVERIFY2(twice.isEmpty(), qPrintable(where + QStringLiteral("told twice: ") + twice.join(' ')));

        QStringList stored;
        for (const Source &s : sources) {
            const auto it = outcomes.constFind(s.path);
            const QString name = QFileInfo(s.path).fileName();
            if (it == outcomes.cend()) {
                // Only a stop leaves a file untold (a folder dropped too late joins no batch).
                QVERIFY2(wasStopped || s.path.contains(QLatin1String("/later/")),
                         qPrintable(where + name + QStringLiteral(" never finished")));
                QVERIFY2(!QFile::exists(s.result), qPrintable(where + name + QStringLiteral(": a result without an outcome")));
                continue;
            }
            if (!it->converted) {
                QVERIFY2(!QFile::exists(s.result), qPrintable(where + name + QStringLiteral(" failed (") + it->reason + QStringLiteral(") yet has a result")));
                const bool trueReason = s.frames == 0 ? !it->reason.isEmpty()
                                                      : s.written && it->reason == QLatin1String("the file changed while it was converted");
                QVERIFY2(trueReason, qPrintable(where + name + QStringLiteral(" failed: ") + it->reason));
                continue;
            }
            QVERIFY2(s.frames > 0, qPrintable(where + name + QStringLiteral(" is no audio, yet converted")));
            QCOMPARE(it->output, s.result);
            stored << s.result;
            const test::Mp3Info info = test::probeMp3(s.result);
            const qint64 expected = std::llround(double(s.frames) * info.sampleRate / s.rate);
            QVERIFY2(std::abs(info.samples - expected) <= 2,
                     qPrintable(where + QStringLiteral("%1 holds %2 samples at %3 Hz, its source %4").arg(name).arg(info.samples).arg(info.sampleRate).arg(expected)));
            // Heard in its first half, which no write touches: a write the
            // batch took in before it read the file (the state it checks
            // after) is the file's content then, and converted as such.
            QList<float> decoded = test::decodeMp3(s.result);
            decoded.resize(decoded.size() / 2 / info.channels * info.channels);
            const double heard = toneOf(decoded, info.channels, info.sampleRate);
            QVERIFY2(std::abs(heard - s.tone) < 20,
                     qPrintable(where + QStringLiteral("%1 sounds at %2 Hz, its source at %3 Hz").arg(name).arg(heard).arg(s.tone)));
        }
        qInfo("%s%d files, %d stored, %d failed%s", qPrintable(where), int(sources.size()), int(stored.size()),
              int(outcomes.size() - stored.size()), wasStopped ? ", stopped" : "");
        // No result but those told as stored.
        QDirIterator results(out, {QStringLiteral("*")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (results.hasNext()) {
            const QString file = results.next();
            QVERIFY2(stored.contains(file), qPrintable(where + QStringLiteral("a file no outcome names: ") + file));
        }
    }
};

QTEST_MAIN(BatchStressTest)
#include "test_batch_stress.moc"
