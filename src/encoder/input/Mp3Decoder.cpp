#include "Mp3Decoder.h"

#include "CodecLibrary.h"

#include <mpg123.h>

#include <mutex>

namespace {

constexpr std::size_t chunkBytes = 1 << 16;

} // namespace

Mp3Decoder::Mp3Decoder(ReadAt readAt, std::int64_t length)
    : m_readAt(std::move(readAt)), m_length(length), m_chunk(chunkBytes)
{
}

bool Mp3Decoder::makeHandle()
{
    std::string why;
    if (!codecLibraryReady(CodecLibrary::Mpg123, why))
        return fail(why);
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    // A handle of its own for every start: one reopened keeps what it had.
    if (m_handle)
        mpg123_delete(m_handle);
    int error = MPG123_OK;
    m_handle = mpg123_new(nullptr, &error);
    if (!m_handle)
        return fail(std::string("cannot decode MP3: ") + mpg123_plain_strerror(error));
    // Gapless: the encoder's delay and padding, as a LAME tag states them,
    // are not audio. Floats at whatever rate and channels the stream has.
    mpg123_param(m_handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    mpg123_format_none(m_handle);
    const long *rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(m_handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    return mpg123_open_feed(m_handle) == MPG123_OK
           || fail(std::string("cannot decode MP3: ") + mpg123_strerror(m_handle));
}

Mp3Decoder::~Mp3Decoder()
{
    if (m_handle)
        mpg123_delete(m_handle);
}

bool Mp3Decoder::fail(const std::string &why)
{
    if (m_error.empty())
        m_error = why;
    return false;
}

bool Mp3Decoder::feed()
{
    if (m_position >= m_length)
        return false;
    const std::int64_t got = m_readAt(m_chunk.data(), static_cast<std::int64_t>(m_chunk.size()), m_position);
    if (got <= 0)
        return false;
    m_position += got;
    return mpg123_feed(m_handle, m_chunk.data(), static_cast<std::size_t>(got)) == MPG123_OK
           || fail(std::string("cannot decode MP3: ") + mpg123_strerror(m_handle));
}

bool Mp3Decoder::start()
{
    m_position = 0;
    if (!makeHandle())
        return false;
    // Fed until the first frame tells the format.
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    for (;;) {
        std::size_t done = 0;
        const int result = mpg123_read(m_handle, nullptr, 0, &done);
        const bool known = result == MPG123_NEW_FORMAT
                           || (result == MPG123_OK && mpg123_getformat(m_handle, &rate, &channels, &encoding) == MPG123_OK);
        if (known)
            break;
        if (result == MPG123_NEED_MORE) {
            if (!feed())
                return fail("no MPEG audio frame found");
            continue;
        }
        if (result != MPG123_OK)
            return fail(std::string("cannot decode MP3: ") + mpg123_strerror(m_handle));
    }
    if (mpg123_getformat(m_handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0)
        return fail("cannot decode MP3: no format");
    if (m_rate != 0 && (rate != m_rate || channels != m_channels))
        return fail("changed while it was read");
    m_rate = rate;
    m_channels = channels;
    return true;
}

std::int64_t Mp3Decoder::countFrames()
{
    std::vector<float> scratch(8192 * 2);
    std::int64_t frames = 0;
    for (;;) {
        const std::int64_t n = read(scratch.data(), static_cast<std::int64_t>(scratch.size()) / m_channels);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        frames += n;
    }
    return start() ? frames : -1;
}

std::int64_t Mp3Decoder::read(float *interleaved, std::int64_t count)
{
    const std::size_t frameBytes = static_cast<std::size_t>(m_channels) * sizeof(float);
    const std::size_t wanted = static_cast<std::size_t>(count) * frameBytes;
    auto *out = reinterpret_cast<unsigned char *>(interleaved);
    std::size_t got = 0;
    while (got < wanted) {
        std::size_t done = 0;
        const int result = mpg123_read(m_handle, out + got, wanted - got, &done);
        got += done;
        if (result == MPG123_OK)
            continue;
        if (result == MPG123_NEED_MORE) {
            if (!feed())
                break; // the end of the file
            continue;
        }
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(m_handle, &rate, &channels, &encoding);
            if (rate != m_rate || channels != m_channels) {
                fail("the MP3 changes its sample rate or channels midway");
                return -1;
            }
            continue;
        }
        if (result == MPG123_DONE)
            break;
        fail(std::string("cannot decode MP3: ") + mpg123_strerror(m_handle));
        return -1;
    }
    if (!m_error.empty())
        return -1;
    return static_cast<std::int64_t>(got / frameBytes);
}
