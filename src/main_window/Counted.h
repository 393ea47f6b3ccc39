#pragma once

#include <QString>

// "1 file", "2 files": a count with its noun in the English texts.
inline QString counted(int count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}
