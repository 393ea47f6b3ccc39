#pragma once

#include <QByteArray>
#include <QString>

class QUrl;

// Whether `text` is a file: address (its scheme compared without case).
bool isFileUrl(const QByteArray &text);

// Why a file: address names no file of this machine that may be opened:
// a NUL in its path, no absolute path, or another host. Empty when it may.
QString fileUrlProblem(const QUrl &url);
