#pragma once

#include <QStringList>

// What the conversion batch reads, and only that: the queue of sources
// (head first) and the settings, read afresh for every file.
class BatchInput {
public:
    virtual ~BatchInput() = default;

    virtual int sourcesLeft() const = 0;
    virtual QString headSource() const = 0;
    virtual void removeHeadSource() = 0;
    virtual QStringList queuedSources() const = 0;

    virtual QString bitRate() const = 0;    // kbit/s, as the list shows it
    virtual QString sampleRate() const = 0; // Hz, as the list shows it
    virtual int channels() const = 0;       // 1 or 2
    virtual QString outputFolder() const = 0;
};
