#include "main_window/FrmMain.h"
#include "platform/FileNameEncoding.h"
#include "skin/SkinFonts.h"

#include <QApplication>
#include <QDir>
#include <QUrl>

#include <cstdio>

namespace {

constexpr const char *usage = "Usage: tolvik [FILE...]\n"
                              "Converts WAV files to MP3. The files named are queued as if dropped on the\n"
                              "window; when Tolvik already runs, they go to the running window.\n";

// A command-line argument as a path: its own bytes (names need not be
// UTF-8), made absolute, since the running instance may have another
// working folder; file:// URLs as file managers pass them.
QString pathOf(const QByteArray &argument)
{
    if (argument.startsWith("file:")) {
        const QUrl url = QUrl::fromEncoded(argument);
        if (url.isLocalFile())
            return platform::localFileOf(url);
    }
    return QDir::current().absoluteFilePath(platform::decodeFileName(argument));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv); // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("tolvik"));

    QStringList files;
    bool options = true;
    for (const QByteArray &argument : platform::commandLineArguments(argc, argv)) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "-h" || argument == "--help")) {
            std::fputs(usage, stdout);
            return 0;
        } else if (options && argument == "--version") {
            std::printf("tolvik %s\n", qPrintable(FrmMain::versionCaption().mid(4)));
            return 0;
        } else {
            files << pathOf(argument);
        }
    }

    const Installation installation = Installation::ofRunningProgram();
    loadSkinFonts(installation.file(QStringLiteral("fonts")));

    FrmMain window(installation);
    window.setStartFiles(files);
    if (!window.Form_Load())
        return 0; // another instance is running; it has the files now
    return QApplication::exec();
}
