// What flushing files to the disk before their final name costs: the
// program's copy of a 5-minute WAV with the flush (as it stores every file)
// against the same copy without it, next to conv encoding that WAV, and
// conv's flush alone on its result. Medians of 5 runs. Usage: flush_bench [FOLDER]
// (the folder to write in; a real disk, not a tmpfs, shows the real cost).
#include "TestSupport.h"
#include "platform/files/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

template <class Work>
double medianSeconds(Work work)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        runs.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// The copy as it was: beside the target, renamed, never flushed.
void copyWithoutFlush(const QString &from, const QString &to)
{
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    QFile::copy(from, part);
    ::rename(QFile::encodeName(part).constData(), QFile::encodeName(to).constData());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/flush-XXXXXX")
                                   : QDir::tempPath() + QStringLiteral("/flush-XXXXXX"));
    const QString wav = scratch.filePath(QStringLiteral("five-minutes.wav"));
    QProcess::execute(QStringLiteral("sox"), {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "300",
                                              "pinknoise", "vol", "0.5"});
    const QString mp3 = scratch.filePath(QStringLiteral("out.mp3"));
    const double flushed = medianSeconds([&] { platform::copyFileReplacing(platform::NativeName(wav), platform::NativeName(scratch.filePath(QStringLiteral("a.wav")))); });
    const double unflushed = medianSeconds([&] { copyWithoutFlush(wav, scratch.filePath(QStringLiteral("b.wav"))); });
    const double encode = medianSeconds([&] {
        QProcess::execute(test::convPath(), {"-i", wav, "-y", "-ab", "128k", "-ar", "44100", "-ac", "2", mp3});
    });
    const double convFlush = medianSeconds([&] {
        const int fd = ::open(QFile::encodeName(mp3).constData(), O_WRONLY);
        ::fsync(fd);
        ::close(fd);
    });
    std::printf("copy of a 5-minute WAV (%.1f MB): %.3f s flushed, %.3f s without the flush (+%.3f s)\n",
                QFileInfo(wav).size() / 1e6, flushed, unflushed, flushed - unflushed);
    std::printf("conv encoding it: %.3f s (its own flush of the MP3 is inside; an fsync of the MP3 alone: %.4f s)\n",
                encode, convFlush);
    std::printf("the copy's flush is %.1f %% of one file's encode\n", 100.0 * (flushed - unflushed) / encode);
    return 0;
}
