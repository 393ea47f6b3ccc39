// Runs the real batch on files it makes and prints: the batch's wall time
// against conv run alone on the same files, the fixed cost per file, the
// program's own CPU time against the encoder's, and the memory of a queue
// of 32,767 and 40,000 entries; and the batch against the script a power
// user writes (lame on two cores over a folder).  Usage: batch_bench (under any display, or
// QT_QPA_PLATFORM=offscreen)
#include "TestSupport.h"
#include "main_window/FrmMain.h"
#include "sources/DropArea.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <utility>
#include <sys/resource.h>

namespace {

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QStringList makeWavs(const QString &folder, int count, double seconds)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString file = QStringLiteral("%1/in-%2-%3.wav").arg(folder).arg(seconds).arg(i);
        QProcess::execute(QStringLiteral("sox"), {"-n", "-r", "44100", "-c", "2", "-b", "16", file, "synth",
                                                   QString::number(seconds), "pinknoise", "vol", "0.5"});
        files << file;
    }
    return files;
}

double convAlone(const QString &conv, const QStringList &files, const QString &out, const QString &threads = QStringLiteral("auto"))
{
    QElapsedTimer clock;
    clock.start();
    for (const QString &file : files)
        QProcess::execute(conv, {"-i", file, "-y", "-ab", "128k", "-ar", "44100", "-ac", "2", "-threads", threads, out});
    return clock.nsecsElapsed() / 1e9;
}

double timedBatch(FrmMain &w, const QStringList &files)
{
    QElapsedTimer clock;
    clock.start();
    test::runBatch(w, files, 3600 * 1000);
    return clock.nsecsElapsed() / 1e9;
}

// From the drop to the output folder's opening (the sound after it is no
// part of the work).
double batchToFolder(FrmMain &w, const QStringList &files)
{
    QElapsedTimer clock;
    clock.start();
    double finished = 0;
    const QMetaObject::Connection once = QObject::connect(&w.batch(), &ConversionBatch::batchFinished, &w, [&] {
        finished = clock.nsecsElapsed() / 1e9;
    });
    test::runBatch(w, files, 3600 * 1000);
    QObject::disconnect(once);
    return finished;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const Installation installation{QStringLiteral(TOLVIK_PROGRAM_DIR), tmp.path(), {}};
    FrmMain w(installation);
    w.setProgramEnd([] {});
    if (!w.Form_Load()) {
        std::fprintf(stderr, "batch_bench: another instance runs\n");
        return 1;
    }
    w.control<QLineEdit>("txtPath")->setText(tmp.filePath(QStringLiteral("out")));
    const QString sink = tmp.filePath(QStringLiteral("alone.mp3"));

    const QStringList long10 = makeWavs(tmp.path(), 10, 60);
    const double alone = convAlone(installation.encoder(), long10, sink);
    const double selfBefore = cpuSeconds(RUSAGE_SELF);
    const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
    const double batch = timedBatch(w, long10);
    const double selfCpu = cpuSeconds(RUSAGE_SELF) - selfBefore;
    const double encoderCpu = cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
    std::printf("(a) ten 60 s files: batch %.3f s, conv alone %.3f s, ratio %.3f (target <= 1.02)\n", batch, alone,
                batch / alone);
    std::printf("(c) CPU during that batch: program %.3f s, encoder %.3f s, ratio %.2f %% (target <= 1 %%)\n",
                selfCpu, encoderCpu, 100 * selfCpu / encoderCpu);

    const QStringList short50 = makeWavs(tmp.path(), 50, 0.1);
    const double shortAlone = convAlone(installation.encoder(), short50, sink);
    const double shortBatch = timedBatch(w, short50);
    std::printf("(b) fifty 0.1 s files: batch %.3f s, conv alone %.3f s, fixed cost %.1f ms a file (target <= 15)\n",
                shortBatch, shortAlone, 1000 * (shortBatch - shortAlone) / 50);

    // A batch of short clips (sound effects, voice notes) against conv on
    // one thread: what running files side by side could gain.
    const QStringList clips = makeWavs(tmp.path(), 47, 8);
    double clipsOne = 0, clipsBatch = 0;
    for (int run = 0; run < 3; ++run) { // paired, the medians' stand-in: the sums
        clipsOne += convAlone(installation.encoder(), clips, sink, QStringLiteral("1"));
        clipsBatch += timedBatch(w, clips);
    }
    std::printf("(e) 47 clips of 8 s: batch %.3f s, conv -threads 1 one after another %.3f s, ratio %.3f (target <= 0.62)\n",
                clipsBatch / 3, clipsOne / 3, clipsBatch / clipsOne);
    // The same clips by the tools users know, one after another as they run them.
    const auto toolAlone = [&](const QString &tool, const auto &arguments) {
        QElapsedTimer clock;
        clock.start();
        for (const QString &clip : clips)
            QProcess::execute(tool, arguments(clip));
        return clock.nsecsElapsed() / 1e9;
    };
    const double lame = toolAlone(QStringLiteral("lame"), [&](const QString &clip) {
        return QStringList{"--quiet", "--noreplaygain", "-b", "128", "-m", "j", clip, sink};
    });
    const double ffmpeg = toolAlone(QStringLiteral("ffmpeg"), [&](const QString &clip) {
        return QStringList{"-nostdin", "-v", "error", "-i", clip, "-y", "-ab", "128k", sink};
    });
    std::printf("    the same clips: lame %.3f s, ffmpeg %.3f s; the batch / lame %.3f\n", lame, ffmpeg,
                clipsBatch / 3 / lame);

    // (f) What a power user writes instead: lame on two cores over a folder
    // (find | xargs -P2), on the clips and on an album of ten 60 s tracks
    // in two sub-folders, against the batch given the same folder.
    // The same script with our encoder on one thread a file: what two
    // cores give two encoders here, the floor for the batch.
    const auto script = [&](const QString &folder, const QString &encode) {
        const QString out = tmp.filePath(QStringLiteral("script-out"));
        QDir().mkpath(out);
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(QStringLiteral("bash"),
                          {"-c", "find \"$0\" -name '*.wav' -print0 | xargs -0 -P2 -I{} sh -c "
                                 "'" + encode + " \"$0/$(basename \"$1\" .wav).mp3\"' \"$1\" {}",
                           folder, out});
        return clock.nsecsElapsed() / 1e9;
    };
    const auto lameScript = [&](const QString &folder) {
        return script(folder, QStringLiteral("lame --quiet --noreplaygain -b 128 -m j \"$1\""));
    };
    // As most write it: lame's defaults (the same 128 kbit/s joint stereo,
    // with its ReplayGain analysis, which the window does not do).
    const auto lameAsIs = [&](const QString &folder) { return script(folder, QStringLiteral("lame --quiet \"$1\"")); };
    const auto convScript = [&](const QString &folder) {
        return script(folder, installation.encoder() + QStringLiteral(" -i \"$1\" -y -ab 128k -ar 44100 -ac 2 -threads 1"));
    };
    const auto folderOf = [&](const QString &name, const QStringList &files, int perSub) {
        const QString folder = tmp.filePath(name);
        for (int i = 0; i < files.size(); ++i) {
            const QString sub = perSub > 0 ? QStringLiteral("/CD%1").arg(1 + i / perSub) : QString();
            QDir().mkpath(folder + sub);
            QFile::link(files[i], folder + sub + QStringLiteral("/%1.wav").arg(i, 2, 10, QChar('0')));
        }
        return folder;
    };
    for (const auto &[label, folder] : {std::pair{"47 clips of 8 s", folderOf(QStringLiteral("clips"), clips, 0)},
                                        std::pair{"album of ten 60 s tracks", folderOf(QStringLiteral("album"), long10, 5)}}) {
        double lame = 0, asIs = 0, conv = 0, ours = 0;
        for (int run = 0; run < 3; ++run) {
            lame += lameScript(folder);
            asIs += lameAsIs(folder);
            conv += convScript(folder);
            ours += batchToFolder(w, {folder});
        }
        const double timer = w.control<QTimer>("Timer1")->interval() / 1000.0;
        std::printf("(f) %s: batch to the folder's opening %.3f s, find | xargs -P2 lame %.3f s, ratio %.3f (target <= %s)\n"
                    "    the same script with conv -threads 1 %.3f s (conv / lame %.3f); the batch past it %.3f s, "
                    "%.3f s of it the start timer\n"
                    "    against lame with its defaults (ReplayGain analysis on) %.3f s: ratio %.3f\n",
                    label, ours / 3, lame / 3, ours / lame, QByteArray(label).startsWith("47") ? "0.95" : "0.90", conv / 3,
                    conv / lame, (ours - conv) / 3, timer, asIs / 3, ours / asIs);
    }

    // The queue and its view, before the batch's start timer fires.
    const long before = test::residentKiB();
    for (int count : {32767, 40000}) {
        QStringList queue;
        for (int i = 0; i < count; ++i)
            queue << QStringLiteral("/home/user/Music/Some Album/%1 - A Track Title.wav").arg(i, 5, 10, QChar('0'));
        w.openFiles(queue);
        queue.clear();
        std::printf("(d) %d entries queued: %.1f MiB resident, %.1f MiB more than with none\n", count,
                    test::residentKiB() / 1024.0, (test::residentKiB() - before) / 1024.0);
        w.batch().stop();
    }
    return 0;
}
