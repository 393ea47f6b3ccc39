#pragma once

#include "ContainerHeader.h"
#include "ConvSystem.h"
#include "Mp3Decoder.h"
#include "PlainWave.h"

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The text tags libsndfile finds in the input (none in a plain WAV: its
// tags are read from its chunks, see ContainerTags).
struct AudioTags {
    std::string title, artist, album, date, comment, track, genre, copyright, software;
};

// Reads any file that libsndfile opens as interleaved float frames; a
// plain WAV without libsndfile (see PlainWave), MPEG audio with libmpg123.
class AudioReader {
public:
    AudioReader() = default;
    ~AudioReader();
    AudioReader(const AudioReader &) = delete;
    AudioReader &operator=(const AudioReader &) = delete;

    // Opens a regular file (never waiting on a pipe or device); on failure
    // returns false and error() says why.
    bool open(const std::string &path);
    // Opens audio held in memory (the bytes must outlive the reader).
    bool openMemory(std::string_view bytes);
    // Opens the same input again, to read another part of it on another
    // thread (`original` must outlive this reader; both read by position).
    // It reads the file as the original found it when it was opened: the
    // same header and length, whatever has been written to it since.
    bool openTwin(const AudioReader &original);

    const std::string &error() const { return m_error; }
    // Whether `path` names the open input file itself (see InputFile).
    bool isFile(const std::string &path) const { return m_input.isOpen() && m_input.isSameFileAs(path); }
    int channels() const { return m_info.channels; }
    int sampleRate() const { return m_info.samplerate; }
    std::int64_t frames() const { return m_frames; }
    AudioTags tags() const;
    // The input's bytes, for what libsndfile does not read of it (tags).
    ReadAt bytes() const
    {
        return [this](void *buffer, std::int64_t size, std::int64_t offset) { return readAt(buffer, size, offset); };
    }
    std::int64_t length() const { return m_length; }

    // Goes back to the first frame, to read the audio again.
    bool rewind();
    // Goes to frame `frame` (no further than the end); false on a read error.
    bool seek(std::int64_t frame);
    // Reads up to `count` frames; returns how many were read (0 at the end).
    std::int64_t read(float *interleaved, std::int64_t count);

private:
    bool openSource();
    bool openMpeg();
    std::int64_t readAt(void *buffer, std::int64_t size, std::int64_t offset) const;
    static SF_VIRTUAL_IO virtualIo();

    SNDFILE *m_sound = nullptr;
    std::unique_ptr<PlainWave> m_plain;
    // MPEG audio is decoded here, not by libsndfile (see Mp3Decoder).
    std::unique_ptr<Mp3Decoder> m_mpeg;
    SF_INFO m_info{};
    std::int64_t m_frames = 0; // what is read: libsndfile's count, or less
    std::int64_t m_decoded = -1; // an MPEG input's frames, counted once
    std::int64_t m_read = 0;
    std::string m_error;
    // The input: a file, or bytes in memory.
    convsys::InputFile m_input;
    const convsys::InputFile *m_file = nullptr; // m_input, or a twin's original's
    std::string_view m_bytes;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    // The file's head as it was when first opened, shown to libsndfile at
    // every later opening (a rewind, a twin) in place of what is there now.
    std::shared_ptr<const std::string> m_head;
    // Bytes shown to libsndfile in place of the file's own.
    std::int64_t m_patchAt = -1;
    int m_patchSize = 0;
    unsigned char m_patch[8] = {};
};
