#include "platform/files/Files.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

QString programFolder()
{
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return QFileInfo(exe).absolutePath();
}

} // namespace platform
