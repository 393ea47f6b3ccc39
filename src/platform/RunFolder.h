#pragma once

#include "PrivateFolder.h"

namespace platform {

// The working folder of one run (one window's batch) inside the private
// folder, "run-<process>-<n>": no other process uses it, so two programs
// at once never take each other's working files. Folders of runs whose
// process is gone are removed here first.
PrivateFolder prepareRunFolder(const PrivateFolder &privateFolder);

// Removes the run's folder and what is in it (at exit).
void removeRunFolder(const PrivateFolder &runFolder);

} // namespace platform
