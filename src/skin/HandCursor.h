#pragma once

#include <QCursor>

// The skin's pointing-hand cursor, with the hot spot its file declares.
QCursor handCursor();
