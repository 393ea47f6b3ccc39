#include "main_window/FrmMain.h"
#include "main_window/SingleInstance.h"
#include "names/FileUrls.h"
#include "platform/processes/Processes.h"
#include "platform/files/Files.h"
#include "platform/desktop/Desktop.h"
#include "skin/SkinFonts.h"

#include <QApplication>
#include <QDir>
#include <QUrl>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char *usage = "Usage: tolvik [FILE...]\n"
                              "Converts WAV files to MP3. The files named are queued as if dropped on the\n"
                              "window; when Tolvik already runs, they go to the running window. After --\n"
                              "every argument is a file.\n";

// A command-line argument as a path: its own bytes (names need not be
// UTF-8), made absolute, since the running instance may have another
// working folder; file: addresses as file managers pass them. Empty, with
// the reason said, for an address that names no file here.
QString pathOf(const QByteArray &argument)
{
    if (isFileUrl(argument)) {
        const QUrl url = QUrl::fromEncoded(argument);
        const QString problem = fileUrlProblem(url);
        if (problem.isEmpty())
            return platform::localFileOf(url);
        std::fprintf(stderr, "tolvik: %s: %s\n", argument.constData(), qPrintable(problem));
        return {};
    }
    return QDir::current().absoluteFilePath(platform::decodeFileName(argument));
}

// In a Wayland session that also runs an X server (XWayland, as GNOME and
// KDE do), the X one: there the window can stay on top and be moved by the
// window manager, which a Wayland compositor does not allow a client. Only
// for Qt's choice at start: QT_QPA_PLATFORM or -platform still decide, and
// the programs Tolvik starts do not inherit it.
bool preferX11()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Qt reads its own options only before "--"; after it every argument
    // is a file ("tolvik -- -reverse" queues a file named -reverse).
    int split = argc;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            split = i;
            break;
        }
        // Answered before a display is needed.
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tolvik %s\n", qPrintable(FrmMain::versionCaption().mid(4)));
            return 0;
        }
    }
    bool platformAsked = false;
    for (int i = 1; i < split; ++i)
        platformAsked = platformAsked || std::strcmp(argv[i], "-platform") == 0;
    if (!platformAsked && !platform::displayNamed()) {
        std::fputs("tolvik: no display found. Tolvik is a desktop program: start it from a desktop session,\n"
                   "or under a virtual X server:  xvfb-run -a tolvik\n",
                   stderr);
        return 1;
    }
    int qtArgc = split;
    const bool chose = preferX11();
    QApplication app(qtArgc, argv); // takes Qt's own options out of argv
    if (chose)
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName(QStringLiteral("tolvik"));

    QStringList files;
    bool options = true;
    for (const QByteArray &argument : platform::commandLineArguments(qtArgc, argv, argc - split, argv + split)) {
        if (options && argument == "--") {
            options = false;
            continue;
        }
        const QString path = pathOf(argument);
        if (!path.isEmpty())
            files << path;
    }

    // Asked before the window is built: a start that hands its files to a
    // running Tolvik ends without building one, and many starts at once
    // (a file manager's "Open" on many files) leave the machine to the
    // one that answers them.
    SingleInstance instance;
    if (!instance.claim(files))
        return 0; // another instance is running; it has the files now

    const Installation installation = Installation::ofRunningProgram();
    loadSkinFonts(installation.file(QStringLiteral("fonts")));

    FrmMain window(installation);
    window.useInstance(&instance);
    window.setStartFiles(files);
    if (!window.Form_Load())
        return 0; // another instance is running; it has the files now
    platform::markProgramRunning();
    // A logout, kill or Ctrl-C ends the program as its X button does: the
    // encoder stopped, the working files removed.
    platform::ExitRequests exitRequests;
    QObject::connect(&exitRequests, &platform::ExitRequests::requested, &window, &QWidget::close);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &FrmMain::Form_Unload);
    return QApplication::exec();
}
