#pragma once

#include <QString>

// Name routines that work on the text of a path alone; they never touch
// the file system.

// The text after the last path separator ("" for an empty path or one
// that ends in a separator).
QString GetFileName(const QString &path);

// The file name without its extension: the text from the last dot of the
// name on is removed. A name without a dot, or whose only dot is its first
// character (".wav"), is kept whole, so "Take.1.wav" gives "Take.1".
QString GetBaseName(const QString &path);
