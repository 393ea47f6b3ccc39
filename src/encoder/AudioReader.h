#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <string_view>

// Text tags found in the input.
struct AudioTags {
    std::string title, artist, album, date, comment, track;
    bool empty() const
    {
        return title.empty() && artist.empty() && album.empty() && date.empty() && comment.empty()
               && track.empty();
    }
};

// Reads any file that libsndfile opens as interleaved float frames.
class AudioReader {
public:
    AudioReader() = default;
    ~AudioReader();
    AudioReader(const AudioReader &) = delete;
    AudioReader &operator=(const AudioReader &) = delete;

    // Opens a file; on failure returns false and error() says why.
    bool open(const std::string &path);
    // Opens audio held in memory (the bytes must outlive the reader).
    bool openMemory(std::string_view bytes);

    const std::string &error() const { return m_error; }
    int channels() const { return m_info.channels; }
    int sampleRate() const { return m_info.samplerate; }
    std::int64_t frames() const { return m_info.frames; }
    AudioTags tags() const;

    // Reads up to `count` frames; returns how many were read (0 at the end).
    std::int64_t read(float *interleaved, std::int64_t count);

private:
    bool check();
    SNDFILE *m_file = nullptr;
    SF_INFO m_info{};
    std::string m_error;
    // Memory input.
    std::string_view m_bytes;
    sf_count_t m_position = 0;
    static SF_VIRTUAL_IO memoryIo();
};
