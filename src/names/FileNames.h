#pragma once

#include <QString>

#include <functional>

// Name routines that work on the text of a path alone; they never touch
// the file system. GetFileName and GetBaseName keep their own names, by
// which tests and readers find them; the rest is in Qt's style.

// The separator that paths are joined with. Names split at it and at
// '/', which is the separator on Linux and one too on Windows (where no
// name can hold it).
QChar pathSeparator();

// The text after the last path separator ("" for an empty path or one
// that ends in a separator).
QString GetFileName(const QString &path);

// The file name without its extension: the text from the last dot of the
// name on is removed. A name without a dot, or whose only dot is its first
// character (".wav"), is kept whole, so "Take.1.wav" gives "Take.1". The
// last dot, not the first: "Mr. Brightside.wav" must give "Mr. Brightside",
// not "Mr", and "x.1.wav" and "x.2.wav" two results, not one.
QString GetBaseName(const QString &path);

// The longest name a file system takes (Linux: 255 bytes; Windows: 255
// UTF-16 units, never fewer than the bytes counted here).
constexpr qsizetype maxNameBytes = 255;

// `name` in `folder`: the folder, a separator added unless it ends in
// one, and the name (an empty folder is the root).
QString PathInFolder(const QString &folder, const QString &name);

// Where the result of `source` goes in `folder`: PathInFolder of the
// source's base name and ".mp3", the base name cut short where the name
// would be too long.
QString OutputFilePath(const QString &folder, const QString &source);

// What two paths must differ in to name different files on any file
// system: case-insensitive ones (FAT, exFAT, NTFS) take "Song.mp3" and
// "song.mp3" for one name, so compare these keys, never the paths.
QString FileNameKey(const QString &path);

// `path` itself when it is free, else the first of "name (2).ext",
// "name (3).ext", ... that is (the name shortened where it would be too
// long); `taken` says whether a path is in use.
QString FreeFilePath(const QString &path, const std::function<bool(const QString &)> &taken);
