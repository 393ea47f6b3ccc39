// The copy's names and reasons, the same on every system.
#include "FileCopy.h"
#include "FileCopyParts.h"

namespace platform {

namespace copyparts {

QString partPrefix()
{
    return QStringLiteral(".tolvik-part-");
}

} // namespace copyparts

QString partialCopyPattern()
{
    return copyparts::partPrefix() + QLatin1Char('*');
}

} // namespace platform
