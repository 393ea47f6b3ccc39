#include "AudioReader.h"

#include "CodecLibrary.h"
#include "ContainerHeader.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cstring>

namespace {

std::string text(SNDFILE *file, int which)
{
    const char *value = sf_get_string(file, which);
    return value ? utf8FromUnknown(value) : std::string();
}

// Formats whose blocks decode to whole blocks of samples: the fact chunk
// holds the real length.
bool blockCoded(int formatTag)
{
    return formatTag != 1 && formatTag != 3 && formatTag != 0;
}

} // namespace

AudioReader::~AudioReader()
{
    if (m_sound)
        sf_close(m_sound);
}

bool AudioReader::open(const std::string &path)
{
    if (!m_input.open(path, m_error))
        return false;
    m_file = &m_input;
    m_length = m_input.length();
    return openSource();
}

bool AudioReader::openMemory(std::string_view bytes)
{
    m_bytes = bytes;
    m_length = static_cast<std::int64_t>(bytes.size());
    return openSource();
}

bool AudioReader::openTwin(const AudioReader &original)
{
    m_file = original.m_file;
    m_bytes = original.m_bytes;
    m_length = original.m_length;
    m_head = original.m_head;
    m_decoded = original.m_decoded;
    if (!openSource())
        return false;
    if (m_info.channels != original.m_info.channels || m_info.samplerate != original.m_info.samplerate) {
        m_error = "changed while it was read";
        return false;
    }
    m_frames = original.m_frames;
    return true;
}

bool AudioReader::openSource()
{
    if (m_file && !m_head) {
        // The header and what may follow it closely (a FLAC's or an MP3's
        // first blocks): bounded, so a hostile offset costs little.
        constexpr std::int64_t headBytes = 1 << 16;
        auto head = std::make_shared<std::string>(static_cast<std::size_t>(std::min(m_length, headBytes)), '\0');
        head->resize(static_cast<std::size_t>(readAt(head->data(), static_cast<std::int64_t>(head->size()), 0)));
        m_head = std::move(head);
    }
    const ContainerHeader header = readContainerHeader(
        [this](void *buffer, std::int64_t size, std::int64_t offset) { return readAt(buffer, size, offset); },
        m_length);
    if (header.truncated(m_length)) {
        m_error = "truncated: the file holds less audio than its header says";
        return false;
    }
    // A WAV written to a pipe carries a placeholder length: show libsndfile
    // the length the file really holds.
    if (header.lengthUnknown && header.dataSizeField >= 0) {
        std::uint64_t length = static_cast<std::uint64_t>(m_length - header.dataOffset);
        if (header.dataSizeWidth == 4)
            length = std::min<std::uint64_t>(length, 0xffffffffu);
        m_patchAt = header.dataSizeField;
        m_patchSize = header.dataSizeWidth == 8 ? 8 : 4;
        for (int i = 0; i < m_patchSize; ++i) {
            const int shift = 8 * (header.bigEndian ? m_patchSize - 1 - i : i);
            m_patch[i] = static_cast<unsigned char>(length >> shift);
        }
    }

    if (PlainWave::reads(header)) {
        m_plain = std::make_unique<PlainWave>(header, m_length);
        m_info.channels = m_plain->channels();
        m_info.samplerate = m_plain->sampleRate();
        m_frames = m_plain->frames();
        if (m_frames <= 0) {
            m_error = "contains no audio";
            return false;
        }
        return true;
    }

    if (!codecLibraryReady(CodecLibrary::Sndfile, m_error))
        return false;
    SF_VIRTUAL_IO io = virtualIo();
    m_position = 0;
    m_sound = sf_open_virtual(&io, SFM_READ, &m_info, this);
    if (!m_sound || m_info.channels < 1 || m_info.samplerate < 1) {
        // libsndfile's own reason after ours, as its programs give it.
        std::string why = m_sound ? "no channels or no sample rate" : sf_error_number(sf_error(nullptr));
        while (!why.empty() && (why.back() == '.' || why.back() == '\n'))
            why.pop_back();
        m_error = "not an audio file (" + why + ")";
        return false;
    }
    m_frames = m_info.frames;
    if ((m_info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG && !openMpeg())
        return false;
    if (blockCoded(header.formatTag) && header.factFrames > 0)
        m_frames = std::min<std::int64_t>(m_frames, header.factFrames);
    if (m_frames <= 0) {
        m_error = "contains no audio";
        return false;
    }
    return true;
}

bool AudioReader::openMpeg()
{
    m_mpeg = std::make_unique<Mp3Decoder>(
        [this](void *buffer, std::int64_t size, std::int64_t offset) { return readAt(buffer, size, offset); }, m_length);
    if (!m_mpeg->start()) {
        m_error = m_mpeg->error();
        return false;
    }
    // Counted once, by the first opening: a twin or a rewind knows it.
    if (m_decoded < 0)
        m_decoded = m_mpeg->countFrames();
    if (m_decoded < 0) {
        m_error = m_mpeg->error();
        return false;
    }
    m_info.channels = m_mpeg->channels();
    m_info.samplerate = m_mpeg->sampleRate();
    m_frames = m_decoded;
    return true;
}

std::int64_t AudioReader::readAt(void *buffer, std::int64_t size, std::int64_t offset) const
{
    if (offset < 0 || offset >= m_length || size <= 0)
        return 0;
    size = std::min(size, m_length - offset);
    std::int64_t done = 0;
    const auto head = m_head ? static_cast<std::int64_t>(m_head->size()) : 0;
    if (offset < head) {
        done = std::min(size, head - offset);
        std::memcpy(buffer, m_head->data() + offset, static_cast<size_t>(done));
        if (done < size)
            done += m_file->readAt(static_cast<char *>(buffer) + done, size - done, offset + done);
    } else if (m_file) {
        done = m_file->readAt(buffer, size, offset);
    } else {
        std::memcpy(buffer, m_bytes.data() + offset, static_cast<size_t>(size));
        done = size;
    }
    for (std::int64_t i = 0; i < m_patchSize; ++i) {
        const std::int64_t at = m_patchAt + i - offset;
        if (at >= 0 && at < done)
            static_cast<unsigned char *>(buffer)[at] = m_patch[i];
    }
    return done;
}

AudioTags AudioReader::tags() const
{
    if (!m_sound)
        return {};
    return {text(m_sound, SF_STR_TITLE), text(m_sound, SF_STR_ARTIST), text(m_sound, SF_STR_ALBUM),
            text(m_sound, SF_STR_DATE), text(m_sound, SF_STR_COMMENT), text(m_sound, SF_STR_TRACKNUMBER),
            text(m_sound, SF_STR_GENRE), text(m_sound, SF_STR_COPYRIGHT), text(m_sound, SF_STR_SOFTWARE)};
}

bool AudioReader::rewind()
{
    // Opened afresh: not every format libsndfile reads can seek.
    if (m_sound)
        sf_close(m_sound);
    m_sound = nullptr;
    m_mpeg.reset();
    m_plain.reset();
    m_read = 0;
    return openSource();
}

bool AudioReader::seek(std::int64_t frame)
{
    frame = std::clamp<std::int64_t>(frame, 0, m_frames);
    if (m_plain) {
        m_plain->seek(frame);
        m_read = frame;
        return true;
    }
    // libsndfile seeks exactly in uncompressed audio; elsewhere decode up to it.
    const int subtype = m_info.format & SF_FORMAT_SUBMASK;
    const bool uncompressed = (m_info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_FLAC
                              && ((subtype >= SF_FORMAT_PCM_S8 && subtype <= SF_FORMAT_DOUBLE)
                                  || subtype == SF_FORMAT_ULAW || subtype == SF_FORMAT_ALAW);
    if (uncompressed && m_info.seekable && sf_seek(m_sound, frame, SEEK_SET) == frame) {
        m_read = frame;
        return true;
    }
    if (frame < m_read && !rewind())
        return false;
    float scratch[4096];
    const std::int64_t block = std::max<std::int64_t>(1, 4096 / m_info.channels);
    while (m_read < frame)
        if (read(scratch, std::min(block, frame - m_read)) <= 0)
            return false;
    return true;
}

std::int64_t AudioReader::read(float *interleaved, std::int64_t count)
{
    count = std::min(count, m_frames - m_read);
    if (count <= 0)
        return 0;
    const std::int64_t n = m_plain ? m_plain->read(bytes(), interleaved, count)
                           : m_mpeg ? m_mpeg->read(interleaved, count)
                                    : sf_readf_float(m_sound, interleaved, count);
    m_read += std::max<std::int64_t>(n, 0);
    return n;
}

SF_VIRTUAL_IO AudioReader::virtualIo()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void *user) -> sf_count_t { return static_cast<AudioReader *>(user)->m_length; };
    io.seek = [](sf_count_t offset, int whence, void *user) -> sf_count_t {
        auto *self = static_cast<AudioReader *>(user);
        const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? self->m_position : self->m_length;
        const sf_count_t target = base + offset;
        if (target < 0)
            return -1;
        self->m_position = target;
        return target;
    };
    io.read = [](void *ptr, sf_count_t count, void *user) -> sf_count_t {
        auto *self = static_cast<AudioReader *>(user);
        const std::int64_t n = self->readAt(ptr, count, self->m_position);
        self->m_position += n;
        return n;
    };
    io.write = [](const void *, sf_count_t, void *) -> sf_count_t { return 0; };
    io.tell = [](void *user) -> sf_count_t { return static_cast<AudioReader *>(user)->m_position; };
    return io;
}
