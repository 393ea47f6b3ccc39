#pragma once

#include <QString>

// Makes the fonts in `folder` (the program folder's "fonts": the skin's
// Tahoma substitute) available, where the system lacks the skin's own.
void loadSkinFonts(const QString &folder);
