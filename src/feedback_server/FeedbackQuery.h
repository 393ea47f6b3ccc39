#pragma once

#include "FeedbackMessage.h"

#include <QByteArray>

// The fields of the program's request, "name=…&age=…&comment=…" (the
// e-mail address travels as "age"), read from the query's raw bytes and
// checked before anything is stored.
class FeedbackQuery {
public:
    // Longest field taken, in bytes once decoded.
    static constexpr qsizetype maxFieldBytes = 64 * 1024;

    enum class Verdict { Taken, Malformed, TooLong };

    // Reads `query` (percent-encoded, "+" a space as forms send it) into
    // `message`; anything but Taken leaves a reason in `why`.
    static Verdict read(const QByteArray &query, FeedbackMessage *message, QString *why);
};
