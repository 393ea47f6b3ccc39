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
// {"-r", "44100", "-c", "2", "-b", "16"} (and "-t rf64", which sox cannot
// write: ffmpeg rewraps it), `synth` a sox synth: generators (sine F,
// sine F1-F2, square F, whitenoise, pinknoise) taken in turn by the
// channels, then "vol V". On Windows libsndfile writes what sox would.
bool makeWav(const QString &path, const QStringList &format, double seconds,
             const QString &synth = QStringLiteral("sine 440"));

// The interleaved samples of an MP3, decoded gaplessly by a decoder that is
// not ours (mpg123; LAME's mpglib on Windows); its complaints land in
// *complaints.
QList<float> decodeMp3(const QString &path, QByteArray *complaints = nullptr);

struct Mp3Info {
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0;       // bit/s
    qint64 samples = -1;   // decoded gaplessly by mpg123
    QMap<QString, QString> tags; // Linux only
    int pictures = 0;            // attached pictures (Linux only)
};
Mp3Info probeMp3(const QString &path);

// Whether the host's sox and ffmpeg run here (not from a Windows test under
// Wine), and whether a folder can be made unwritable for this user (not as
// root, not on Windows, where a folder's read-only flag stops no new file).
bool hostToolsRun();

// A tool tip's text as the user reads it (a rich-text tip without markup).
QString plainTip(const QString &tip);
bool canLockFolders();
// While it lives, root's override of file permissions is off on this
// thread and the threads it starts (so a folder of mode 000 is unreadable
// to root too); active() tells whether it was on before. On Windows there
// is no such override (a read-only file is one to everybody): it does
// nothing.
class WithoutFileAccessOverride {
public:
    WithoutFileAccessOverride();
    ~WithoutFileAccessOverride();
    bool active() const { return m_active; }

private:
    bool m_active = false;
    unsigned m_saved[2] = {0, 0};
};

// While it lives, `path` cannot be written, as when another program holds
// it open without sharing: on Windows it is so held; on Linux it is made
// read-only, with root's override off on this thread.
class HeldFile {
public:
    explicit HeldFile(const QString &path);
    ~HeldFile();
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;

private:
    QString m_path;
    void *m_handle = nullptr;
    std::unique_ptr<WithoutFileAccessOverride> m_plain;
};

// A FIFO at `path` (false where the system has none in its files).
bool makeFifo(const QString &path);

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
// found another instance. It starts as a first start, with no choices
// kept, unless `keepSettings`.
std::unique_ptr<FrmMain> loadedMainWindow(const QString &tempBase, const QString &programFolder = programDir(),
                                          const QString &feedbackHost = {}, bool *ended = nullptr,
                                          bool keepSettings = false);

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
// Whether this build keeps freed memory in AddressSanitizer's quarantine:
// then resident memory grows with what is freed, and says nothing of leaks
// (LeakSanitizer checks those at exit).
bool freedMemoryIsKept();
// Whether this build runs under AddressSanitizer, where every encoder's
// start costs tens of milliseconds more.
bool sanitized();
int openDescriptors();

} // namespace test
