#pragma once

#include <QString>

// One message from the program's feedback window, as stored.
struct FeedbackMessage {
    qint64 id = 0;
    QString received; // UTC, ISO 8601 with milliseconds
    QString address;  // the sender's IP address
    QString name;
    QString email;
    QString comment;
};
