#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QUrl;

namespace platform {

// File names as the system stores them. On Linux a name is a string of
// bytes, and not every one is UTF-8 (an old Latin-1 "café" is). Such a
// name travels in a QString with each byte b that is not part of valid
// UTF-8 as the code point U+DC00 + b (Python's "surrogateescape"), so it
// comes back as exactly the bytes it was.
QString decodeFileName(const QByteArray &bytes);
QByteArray encodeFileName(const QString &name);

// The program's command-line arguments (after argv[0]) as file-name bytes:
// those Qt left of the first `argc` in argv, then the `restCount` from
// `rest` on ("--" and what follows it, which Qt never saw), as the system
// gave them.
QList<QByteArray> commandLineArguments(int argc, char **argv, int restCount = 0, char **rest = nullptr);

// The path of a local file:// URL, from the URL's own bytes (toLocalFile()
// would lose those of a name that is not UTF-8).
QString localFileOf(const QUrl &url);

} // namespace platform
