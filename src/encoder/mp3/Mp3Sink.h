#pragma once

#include <cstddef>

// Where encoded MP3 bytes go.
class Mp3Sink {
public:
    virtual ~Mp3Sink() = default;
    virtual bool write(const void *data, std::size_t size) = 0;
    // Overwrites bytes written before (the info frame at the start).
    virtual bool writeAt(long offset, const void *data, std::size_t size) = 0;
    // Drops everything written, to start again.
    virtual bool restart() = 0;
};
