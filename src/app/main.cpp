#include "main_window/FrmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvik"));

    const Installation installation = Installation::ofRunningProgram();
    installation.loadFonts();

    FrmMain window(installation);
    if (!window.Form_Load())
        return 0; // another instance is running
    return QApplication::exec();
}
