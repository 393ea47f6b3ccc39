#pragma once

#include <QString>

// Housekeeping of the folder results are stored in.
namespace outputfolder {

// Makes the folder when it is missing, so a result is not lost for it
// (an empty name is the root, as a path of "/name.mp3" would be).
void make(const QString &folder);

// Removes the partial copies a killed run left there: those last written
// before this program started, not those another program writes now.
void removeStalePartials(const QString &folder);

} // namespace outputfolder
