#pragma once

#include <QString>

// The installation's files the batch uses: the encoder it runs and the
// sound it plays at the end.
struct BatchFiles {
    QString encoder;
    QString completionSound;
};
