#include "AudioReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string text(SNDFILE *file, int which)
{
    const char *value = sf_get_string(file, which);
    return value ? std::string(value) : std::string();
}

// libsndfile trims a data chunk that claims more than the file holds and
// notes "data : CLAIMED (should be ACTUAL)" in its log. A claim of 0 or
// all ones marks a stream written without knowing its length: that is no
// damage.
bool dataTruncated(SNDFILE *file)
{
    char log[8192] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
    for (const char *line = log; (line = std::strstr(line, "data : ")) != nullptr; ++line) {
        unsigned long long claimed = 0;
        unsigned long long actual = 0;
        if (std::sscanf(line, "data : %llu (should be %llu)", &claimed, &actual) == 2 && claimed > actual
            && claimed != 0xffffffffULL && claimed != 0)
            return true;
    }
    return false;
}

} // namespace

AudioReader::~AudioReader()
{
    if (m_file)
        sf_close(m_file);
}

bool AudioReader::open(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        m_error = "is a folder, not an audio file";
        return false;
    }
    if (::access(path.c_str(), R_OK) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    m_file = sf_open(path.c_str(), SFM_READ, &m_info);
    if (!m_file) {
        m_error = "not an audio file";
        return false;
    }
    return check();
}

bool AudioReader::openMemory(std::string_view bytes)
{
    m_bytes = bytes;
    m_position = 0;
    SF_VIRTUAL_IO io = memoryIo();
    m_file = sf_open_virtual(&io, SFM_READ, &m_info, this);
    if (!m_file) {
        m_error = "not an audio file";
        return false;
    }
    return check();
}

bool AudioReader::check()
{
    if (m_info.channels < 1 || m_info.samplerate < 1) {
        m_error = "not an audio file";
        return false;
    }
    if (dataTruncated(m_file)) {
        m_error = "truncated: the file holds less audio than its header says";
        return false;
    }
    if (m_info.frames <= 0) {
        m_error = "contains no audio";
        return false;
    }
    return true;
}

AudioTags AudioReader::tags() const
{
    return {text(m_file, SF_STR_TITLE), text(m_file, SF_STR_ARTIST), text(m_file, SF_STR_ALBUM),
            text(m_file, SF_STR_DATE), text(m_file, SF_STR_COMMENT), text(m_file, SF_STR_TRACKNUMBER)};
}

std::int64_t AudioReader::read(float *interleaved, std::int64_t count)
{
    return sf_readf_float(m_file, interleaved, count);
}

SF_VIRTUAL_IO AudioReader::memoryIo()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void *user) -> sf_count_t {
        return static_cast<sf_count_t>(static_cast<AudioReader *>(user)->m_bytes.size());
    };
    io.seek = [](sf_count_t offset, int whence, void *user) -> sf_count_t {
        auto *self = static_cast<AudioReader *>(user);
        const auto size = static_cast<sf_count_t>(self->m_bytes.size());
        sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? self->m_position : size;
        const sf_count_t target = base + offset;
        if (target < 0 || target > size)
            return -1;
        self->m_position = target;
        return target;
    };
    io.read = [](void *ptr, sf_count_t count, void *user) -> sf_count_t {
        auto *self = static_cast<AudioReader *>(user);
        const auto size = static_cast<sf_count_t>(self->m_bytes.size());
        const sf_count_t n = std::max<sf_count_t>(0, std::min(count, size - self->m_position));
        std::memcpy(ptr, self->m_bytes.data() + self->m_position, static_cast<size_t>(n));
        self->m_position += n;
        return n;
    };
    io.write = [](const void *, sf_count_t, void *) -> sf_count_t { return 0; };
    io.tell = [](void *user) -> sf_count_t { return static_cast<AudioReader *>(user)->m_position; };
    return io;
}
