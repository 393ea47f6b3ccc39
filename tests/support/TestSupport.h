#pragma once

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

// Helpers that drive real programs for the tests. Inputs and outputs are
// made and read by what nobody here wrote: on Linux sox makes the inputs,
// ffprobe and mpg123 read the outputs; on Windows libsndfile and LAME's
// decoder do (TestTools_<os>.cpp).
class FrmMain;
class QMimeData;
class QWidget;

namespace test {

QString programDir();  // the built program folder
QString convPath();

struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
RunResult run(const QString &program, const QStringList &arguments, int timeoutMs = 120000,
              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// Makes a test signal: `format` holds sox output options such as
// {"-r", "44100", "-c", "2", "-b", "16"}, `synth` a sox synth (on Windows
// only "sine F").
bool makeWav(const QString &path, const QStringList &format, double seconds,
             const QString &synth = QStringLiteral("sine 440"));

struct Mp3Info {
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0;       // bit/s
    qint64 samples = -1;   // decoded gaplessly by mpg123
    QMap<QString, QString> tags; // Linux only
};
Mp3Info probeMp3(const QString &path);

// Linux only: a stand-in "xdg-open" in a fresh folder: it appends its argument to
// `log` and exits with `exitCode` (3: no handler). Returns the folder, to
// be put in front of PATH.
QString makeXdgOpenStandIn(const QString &folder, const QString &log, int exitCode = 0);

// A drag that enters `area` and drops `data` there, as real drop events;
// returns the drop action the area answered with.
Qt::DropAction dropData(QWidget *area, const QMimeData *data);
Qt::DropAction dropFiles(QWidget *area, const QStringList &paths);

// A main window after start-up with its private folder under `tempBase`;
// ending the program only sets *ended (when given). Null when start-up
// found another instance.
std::unique_ptr<FrmMain> loadedMainWindow(const QString &tempBase, const QString &programFolder = programDir(),
                                          const QString &feedbackHost = {}, bool *ended = nullptr);

// The files of a folder, hidden ones too, by name; `filters` as QDir's.
QStringList filesIn(const QString &folder, const QStringList &filters = {});

// Drops `paths` on the window's drop area and waits for the batch's end.
bool runBatch(FrmMain &window, const QStringList &paths, int timeoutMs = 300000);

// Compares `image` with the committed reference tests/reference/NAME.png:
// a pixel differs when a channel is off by more than 16, and at most 20
// pixels may differ (font rendering). TOLVIK_WRITE_REFERENCES=1
// writes the reference instead.
void compareWithReference(const QImage &image, const QString &name);

// This process's resident memory (KiB; the working set on Windows), and
// (Linux only) its open file descriptors.
long residentKiB();
int openDescriptors();

} // namespace test
