#include "ContainerHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

std::uint32_t le32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint32_t be32(const unsigned char *p)
{
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

std::uint64_t le64(const unsigned char *p)
{
    return le32(p) | (std::uint64_t(le32(p + 4)) << 32);
}

std::uint64_t be64(const unsigned char *p)
{
    return (std::uint64_t(be32(p)) << 32) | be32(p + 4);
}

bool is(const unsigned char *p, const char *tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

// Sizes that writers put where they do not know the length yet.
bool placeholder32(std::uint32_t size)
{
    return size == 0 || size == 0xffffffffu || size == 0x7ffff000u;
}

// A walk over the chunks of a container; stops after this many, so a
// hostile file cannot keep it busy.
constexpr int maxChunks = 4096;

ContainerHeader riff(const ReadAt &read, std::int64_t length, bool bigEndian, bool rf64)
{
    ContainerHeader h;
    h.bigEndian = bigEndian;
    auto u32 = [&](const unsigned char *p) { return bigEndian ? be32(p) : le32(p); };
    std::uint64_t ds64Data = 0;
    std::int64_t ds64Field = -1;
    std::int64_t at = 12;
    for (int i = 0; i < maxChunks && at + 8 <= length; ++i) {
        unsigned char c[8];
        if (read(c, 8, at) != 8)
            break;
        const std::uint32_t size = u32(c + 4);
        const std::int64_t body = at + 8;
        if (is(c, "ds64") && size >= 16) {
            unsigned char d[16];
            if (read(d, 16, body) == 16) {
                ds64Data = le64(d + 8);
                ds64Field = body + 8;
            }
        } else if (is(c, "fmt ") && size >= 2) {
            unsigned char f[26] = {};
            read(f, size >= 26 ? 26 : 2, body);
            h.formatTag = bigEndian ? (f[0] << 8 | f[1]) : (f[0] | f[1] << 8);
            if (h.formatTag == 0xfffe && size >= 26)
                h.formatTag = f[24] | f[25] << 8; // the extensible format's sub-format
        } else if (is(c, "fact") && size >= 4) {
            unsigned char n[4];
            if (read(n, 4, body) == 4)
                h.factFrames = u32(n);
        } else if (is(c, "data")) {
            h.known = true;
            h.dataOffset = body;
            h.dataSizeField = at + 4;
            if (rf64 && size == 0xffffffffu && ds64Field >= 0) {
                h.dataBytes = static_cast<std::int64_t>(ds64Data);
                h.lengthUnknown = ds64Data == 0;
                h.dataSizeField = ds64Field;
                h.dataSizeWidth = 8;
            } else {
                h.dataBytes = size;
                // A stream's placeholder, unless the file really ends there.
                h.lengthUnknown = placeholder32(size) && !(size == 0 && body >= length);
            }
            return h;
        }
        at = body + size + (size & 1);
    }
    return h;
}

ContainerHeader wave64(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    std::int64_t at = 40;
    for (int i = 0; i < maxChunks && at + 24 <= length; ++i) {
        unsigned char c[24];
        if (read(c, 24, at) != 24)
            break;
        const std::uint64_t size = le64(c + 16); // includes the 24 bytes
        if (size < 24)
            break;
        if (is(c, "data")) {
            h.known = true;
            h.dataOffset = at + 24;
            h.dataBytes = static_cast<std::int64_t>(std::min<std::uint64_t>(size - 24, INT64_MAX));
            return h;
        }
        if (size > static_cast<std::uint64_t>(length - at))
            break; // a chunk past the end: nothing after it to find
        if (is(c, "fmt ")) {
            unsigned char f[2];
            if (read(f, 2, at + 24) == 2)
                h.formatTag = f[0] | f[1] << 8;
        } else if (is(c, "fact")) {
            unsigned char n[8];
            if (read(n, 8, at + 24) == 8)
                h.factFrames = static_cast<std::int64_t>(le64(n));
        }
        at += static_cast<std::int64_t>((size + 7) & ~std::uint64_t(7));
    }
    return h;
}

ContainerHeader aiff(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    std::int64_t at = 12;
    for (int i = 0; i < maxChunks && at + 8 <= length; ++i) {
        unsigned char c[16];
        if (read(c, 16, at) < 8)
            break;
        const std::uint32_t size = be32(c + 4);
        if (is(c, "SSND") && size >= 8) {
            const std::uint32_t offset = be32(c + 8);
            h.known = true;
            h.dataOffset = at + 16 + offset;
            h.dataBytes = static_cast<std::int64_t>(size) - 8 - offset;
            return h;
        }
        at += 8 + size + (size & 1);
    }
    return h;
}

ContainerHeader caf(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    std::int64_t at = 8;
    for (int i = 0; i < maxChunks && at + 12 <= length; ++i) {
        unsigned char c[12];
        if (read(c, 12, at) != 12)
            break;
        const auto size = static_cast<std::int64_t>(be64(c + 4));
        if (is(c, "data")) {
            h.known = true;
            h.dataOffset = at + 12 + 4; // after the edit count
            h.lengthUnknown = size == -1;
            h.dataBytes = size < 0 ? 0 : size - 4;
            return h;
        }
        if (size < 0 || size > length - at - 12)
            break;
        at += 12 + size;
    }
    return h;
}

} // namespace

ContainerHeader readContainerHeader(const ReadAt &read, std::int64_t length)
{
    unsigned char head[40] = {};
    const std::int64_t got = read(head, sizeof head, 0);
    if (got >= 12 && is(head + 8, "WAVE")) {
        if (is(head, "RIFF"))
            return riff(read, length, false, false);
        if (is(head, "RIFX"))
            return riff(read, length, true, false);
        if (is(head, "RF64") || is(head, "BW64"))
            return riff(read, length, false, true);
    }
    if (got >= 40 && is(head, "riff") && is(head + 24, "wave"))
        return wave64(read, length);
    if (got >= 12 && is(head, "FORM") && (is(head + 8, "AIFF") || is(head + 8, "AIFC")))
        return aiff(read, length);
    if (got >= 8 && is(head, "caff"))
        return caf(read, length);
    if (got >= 12 && is(head, ".snd")) {
        ContainerHeader h;
        h.known = true;
        h.dataOffset = be32(head + 4);
        h.dataBytes = be32(head + 8);
        h.lengthUnknown = be32(head + 8) == 0xffffffffu;
        return h;
    }
    return {};
}
