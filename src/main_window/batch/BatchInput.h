#pragma once

#include <QString>

// The settings one file is encoded with, read from the lists when its
// command line is built.
struct FileSettings {
    QString bitRate;    // kbit/s, as the list shows it
    QString sampleRate; // Hz, as the list shows it
    int channels = 2;   // 1 or 2
};

// What the batch reads from the window, and only that: the settings when
// a file's encoding starts, the output folder when its result is stored,
// whether earlier results are kept when a file's turn comes.
class BatchInput {
public:
    virtual ~BatchInput() = default;

    virtual FileSettings encodeSettings() const = 0;
    virtual QString outputFolder() const = 0;
    // Whether a source whose result is already there (named as this batch
    // would name it, newer than the source) is passed over; read in each
    // file's turn. Off: results are replaced.
    virtual bool skipConverted() const { return false; }
};
