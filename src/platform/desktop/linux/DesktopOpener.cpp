#include "platform/desktop/Desktop.h"

#include <QCoreApplication>
#include <QProcess>

namespace platform {

void openWithDesktop(const NativeName &path, std::function<void()> onFailure)
{
    if (!onFailure) {
        // Nobody asks how it went: a detached start keeps nothing open here,
        // not even our standard streams (a file manager it starts would
        // hold them open for as long as it runs).
        QProcess opener;
        opener.setProgram(QStringLiteral("xdg-open"));
        opener.setArguments({path.text()});
        opener.setStandardInputFile(QProcess::nullDevice());
        opener.setStandardOutputFile(QProcess::nullDevice());
        opener.setStandardErrorFile(QProcess::nullDevice());
        opener.startDetached();
        return;
    }
    // xdg-open says by its exit status whether a handler took the file;
    // it may also run as long as the handler does, so it is not waited for.
    auto *opener = new QProcess(QCoreApplication::instance());
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path.text()});
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, onFailure](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        onFailure();
        opener->deleteLater();
    });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, onFailure](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             onFailure();
                         opener->deleteLater();
                     });
    opener->start();
}

} // namespace platform
