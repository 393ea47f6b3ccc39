#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct mpg123_handle_struct;

// MPEG audio decoded by libmpg123 itself, fed the file's bytes in order.
// libsndfile reads MP3 through libmpg123 too, but when no Xing or Info
// frame states the length it guesses one and stops reading there (a VBR
// file stored cut short, with success); here the length is what decoding
// gives, counted once by decoding the whole file.
class Mp3Decoder {
public:
    // Reads up to `size` bytes at `offset`; returns how many it read.
    using ReadAt = std::function<std::int64_t(void *buffer, std::int64_t size, std::int64_t offset)>;

    Mp3Decoder(ReadAt readAt, std::int64_t length);
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder &) = delete;
    Mp3Decoder &operator=(const Mp3Decoder &) = delete;

    // Goes to the start; false (error() says why) when it cannot decode.
    bool start();
    // Decodes the whole stream to count its frames; -1 on an error. Ends
    // at the start again.
    std::int64_t countFrames();
    int channels() const { return m_channels; }
    int sampleRate() const { return static_cast<int>(m_rate); }
    const std::string &error() const { return m_error; }

    // Decodes up to `count` interleaved frames; 0 at the end, -1 on an error.
    std::int64_t read(float *interleaved, std::int64_t count);

private:
    bool makeHandle();
    bool feed();
    bool fail(const std::string &why);

    mpg123_handle_struct *m_handle = nullptr;
    ReadAt m_readAt;
    std::int64_t m_length;
    std::int64_t m_position = 0;
    long m_rate = 0;
    int m_channels = 0;
    std::vector<unsigned char> m_chunk;
    std::string m_error;
};
