// A dropped folder of 100,000 WAV files in 10,000 folders, on the real
// window: prints how long the listing takes until every file is queued,
// how often the caption told the count, and the longest time the window's
// event loop stood still meanwhile (a frozen window would show it).
// Usage: folder_bench [FOLDERS] [FILES_PER_FOLDER]   (offscreen is fine)
#include "TestSupport.h"
#include "main_window/FrmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int folders = argc > 1 ? atoi(argv[1]) : 10000;
    const int perFolder = argc > 2 ? atoi(argv[2]) : 10;
    QTemporaryDir tmp;
    const QString top = tmp.filePath(QStringLiteral("Library"));
    // A WAV header without audio: the listing reads no more than that.
    const QByteArray header("RIFF\x24\0\0\0WAVEfmt ", 16);
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("%1/artist %2/album %3").arg(top).arg(f / 100).arg(f % 100);
        QDir().mkpath(folder);
        for (int i = 0; i < perFolder; ++i) {
            QFile file(QStringLiteral("%1/%2 track.wav").arg(folder).arg(i + 1));
            if (file.open(QIODevice::WriteOnly))
                file.write(header);
        }
    }
    const int total = folders * perFolder;
    auto w = test::loadedMainWindow(tmp.path());
    w->control<QLineEdit>("txtPath")->setText(tmp.filePath(QStringLiteral("out")));

    QElapsedTimer clock;
    int queued = 0;
    qint64 listed = -1;
    QObject::connect(&w->batch(), &ConversionBatch::queueChanged, [&](int, const QStringList &added) {
        queued += int(added.size());
        if (queued >= total && listed < 0)
            listed = clock.elapsed();
    });
    int captions = 0;
    QObject::connect(&w->batch(), &ConversionBatch::listing, [&](int) { ++captions; });
    // The event loop's pulse: the longest gap between 5 ms ticks.
    qint64 lastTick = 0, longestStall = 0;
    QTimer pulse;
    pulse.setInterval(5);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestStall = std::max(longestStall, now - lastTick);
        lastTick = now;
    });
    clock.start();
    pulse.start();
    test::dropFiles(w->control<QWidget>("picDrag"), {top});
    while (listed < 0 && clock.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    w->batch().stop();
    std::printf("%-44s %10s\n", "a folder of WAV files, dropped", "");
    std::printf("%-44s %10d\n", "files (in folders)", total);
    std::printf("%-44s %10d\n", "folders", folders + folders / 100 + 1);
    std::printf("%-44s %10.2f s\n", "listed until every file was queued", listed / 1000.0);
    std::printf("%-44s %10d\n", "captions with the count while waiting", captions);
    std::printf("%-44s %10lld ms\n", "longest stall of the window's event loop", static_cast<long long>(longestStall));
    return listed < 0 ? 1 : 0;
}
