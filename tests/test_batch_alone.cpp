// The conversion batch with no window at all: a plain queue as its input,
// the real conv, real files, and the order of what it reports.
#include "TestSupport.h"
#include "main_window/BatchInput.h"
#include "main_window/ConversionBatch.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct QueueInput : BatchInput {
    QStringList queue;
    QString folder;
    QString rate = QStringLiteral("22050");
    int sourcesLeft() const override { return static_cast<int>(queue.size()); }
    QString headSource() const override { return queue.first(); }
    void removeHeadSource() override { queue.removeFirst(); }
    QStringList queuedSources() const override { return queue; }
    QString bitRate() const override { return QStringLiteral("64"); }
    QString sampleRate() const override { return rate; }
    int channels() const override { return 1; }
    QString outputFolder() const override { return folder; }
};

} // namespace

class BatchAloneTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void reportsEachStepAndReadsSettingsPerFile()
    {
        QueueInput input;
        input.folder = m_tmp.filePath(QStringLiteral("out"));
        ConversionBatch batch(input, Installation{test::programDir(), m_tmp.path(), {}});
        batch.setTempFolder(platform::preparePrivateFolder(m_tmp.path()));
        const QString good = m_tmp.filePath(QStringLiteral("good.wav"));
        QVERIFY(test::makeWav(good, {"-r", "44100", "-c", "2", "-b", "16"}, 0.5));
        input.queue = {good, m_tmp.filePath(QStringLiteral("missing.wav")), good};

        QStringList steps;
        connect(&batch, &ConversionBatch::fileLoading, this, [&](int left) { steps << QStringLiteral("load %1").arg(left); });
        connect(&batch, &ConversionBatch::fileStarted, this, [&](int left) { steps << QStringLiteral("start %1").arg(left); });
        connect(&batch, &ConversionBatch::fileFinished, this, [&](int left, bool converted) {
            steps << QStringLiteral("%1 %2").arg(converted ? "done" : "failed").arg(left);
            input.rate = QStringLiteral("8000"); // read afresh for the next file
        });
        QSignalSpy finished(&batch, &ConversionBatch::batchFinished);
        QSignalSpy ended(&batch, &ConversionBatch::batchEnded);
        batch.ConvertNextFile();

        QCOMPARE(steps, (QStringList{"load 3", "start 3", "done 2", "load 2", "start 2", "failed 1",
                                     "load 1", "start 1", "done 0"}));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().at(0).toStringList(), QStringList{m_tmp.filePath(QStringLiteral("missing.wav"))});
        QCOMPARE(finished.first().at(2).toInt(), 3);
        QCOMPARE(ended.size(), 1);
        // The same source twice in one batch replaces its own result.
        QCOMPARE(test::filesIn(input.folder), QStringList{QStringLiteral("good.mp3")});
        QCOMPARE(test::probeMp3(input.folder + QStringLiteral("/good.mp3")).sampleRate, 8000);
        QVERIFY(!QFile::exists(batch.tempWav()));
        QVERIFY(!QFile::exists(batch.tempMp3()));
    }
};

QTEST_MAIN(BatchAloneTest)
#include "test_batch_alone.moc"
