#pragma once

// The desktop around the program: opening files and folders with its
// handlers, the completion sound, the running mark and plain facts of the
// system. (Its window services are in DesktopWindow.h: they need QtWidgets.)

#include "platform/files/Files.h"

#include <QString>

#include <functional>

namespace platform {

// Opens a file or folder with the desktop's own handler (the file browser
// for a folder, the web browser for a page). Returns at once; when no
// handler can open it, `onFailure` runs later on the event loop.
void openWithDesktop(const NativeName &path, std::function<void()> onFailure = {});

// Plays a WAV file and returns when it has finished. Without a sound
// device it returns at once, silently; when the file is missing the
// desktop's "complete" event sound plays instead.
// Returns true when a sound was played.
bool playSoundToEnd(const NativeName &wavFile);

// Marks this process, for its whole lifetime, as a running Tolvik, so that
// an installer or uninstaller does not replace or remove the program's
// files under it.
void markProgramRunning();

// Plain facts that differ from one system to the other.

// The file name of an executable called `base` ("conv", "conv.exe").
QString executableName(const QString &base);

// Whether a display can be asked for at all: a window system named in the
// environment (or a Qt platform chosen there). Without one Qt would abort.
bool displayNamed();

// Whether the system has the skin's fonts (Tahoma) itself; where it has
// not, the program loads those of its own folder.
bool systemHasSkinFonts();

} // namespace platform
