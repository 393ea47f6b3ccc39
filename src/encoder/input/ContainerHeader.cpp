#include "ContainerHeader.h"

#include "common/WaveSignature.h"

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

// How a container lays out its chunks: each begins with a head (an id in
// its first four bytes, then a size), is followed by its body, and the next
// begins at the body's end rounded up to `align`.
struct ChunkLayout {
    std::int64_t first;  // where the first chunk begins
    int headBytes;       // id and size (and the rest of a GUID)
    int sizeAt;          // where the size lies in the head
    int sizeBytes;       // 4 or 8
    bool bigEndian;
    bool sizeCountsHead; // the size is of the whole chunk, not of its body
    int align;
    bool stopPastEnd;    // a chunk that ends past the file ends the walk
};

struct Chunk {
    const unsigned char *head;
    std::int64_t at;   // where its head begins
    std::int64_t body; // where its body begins
    std::uint64_t size; // of the body, as the head states it
};

// A walk over the chunks of a container, until `found` says so; it stops
// after this many, so a hostile file cannot keep it busy.
constexpr int maxChunks = 4096;

void walkChunks(const ReadAt &read, std::int64_t length, const ChunkLayout &layout,
                const std::function<bool(const Chunk &)> &found)
{
    std::int64_t at = layout.first;
    for (int i = 0; i < maxChunks && at + layout.headBytes <= length; ++i) {
        unsigned char head[24];
        if (read(head, layout.headBytes, at) != layout.headBytes)
            return;
        const unsigned char *p = head + layout.sizeAt;
        std::uint64_t size = layout.sizeBytes == 8 ? (layout.bigEndian ? be64(p) : le64(p))
                                                   : (layout.bigEndian ? be32(p) : le32(p));
        if (layout.sizeCountsHead) {
            if (size < static_cast<std::uint64_t>(layout.headBytes))
                return;
            size -= static_cast<std::uint64_t>(layout.headBytes);
        }
        const std::int64_t body = at + layout.headBytes;
        if (found({head, at, body, size}))
            return;
        if (layout.stopPastEnd && size > static_cast<std::uint64_t>(length - body))
            return; // nothing after it to find
        const auto align = static_cast<std::uint64_t>(layout.align);
        at = body + static_cast<std::int64_t>((size + align - 1) / align * align);
    }
}

ContainerHeader riff(const ReadAt &read, std::int64_t length, bool bigEndian, bool rf64)
{
    ContainerHeader h;
    h.bigEndian = bigEndian;
    auto u32 = [&](const unsigned char *p) { return bigEndian ? be32(p) : le32(p); };
    std::uint64_t ds64Data = 0;
    std::int64_t ds64Field = -1;
    walkChunks(read, length, {12, 8, 4, 4, bigEndian, false, 2, false}, [&](const Chunk &c) {
        const auto size = static_cast<std::uint32_t>(c.size);
        if (is(c.head, "ds64") && size >= 16) {
            unsigned char d[16];
            if (read(d, 16, c.body) == 16) {
                ds64Data = le64(d + 8);
                ds64Field = c.body + 8;
            }
        } else if (is(c.head, "fmt ") && size >= 2) {
            unsigned char f[40] = {};
            read(f, std::min<std::uint32_t>(size, sizeof f), c.body);
            auto u16 = [&](const unsigned char *p) { return bigEndian ? (p[0] << 8 | p[1]) : (p[0] | p[1] << 8); };
            h.formatTag = u16(f);
            if (size >= 16) {
                h.channels = u16(f + 2);
                h.sampleRate = u32(f + 4);
                h.blockAlign = u16(f + 12);
                h.bitsPerSample = u16(f + 14);
            }
            if (h.formatTag == 0xfffe && size >= 26) {
                h.formatTag = f[24] | f[25] << 8; // the extensible format's sub-format
                static const unsigned char tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                       0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
                h.standardSubFormat = size >= 40 && std::memcmp(f + 26, tail, sizeof tail) == 0;
            }
        } else if (is(c.head, "fact") && size >= 4) {
            unsigned char n[4];
            if (read(n, 4, c.body) == 4)
                h.factFrames = u32(n);
        } else if (is(c.head, "data")) {
            h.known = true;
            h.dataOffset = c.body;
            h.dataSizeField = c.at + 4;
            if (rf64 && size == 0xffffffffu && ds64Field >= 0) {
                h.dataBytes = static_cast<std::int64_t>(ds64Data);
                h.lengthUnknown = ds64Data == 0;
                h.dataSizeField = ds64Field;
                h.dataSizeWidth = 8;
            } else {
                h.dataBytes = size;
                // A stream's placeholder, unless the file really ends there.
                h.lengthUnknown = placeholder32(size) && !(size == 0 && c.body >= length);
            }
            return true;
        }
        return false;
    });
    return h;
}

ContainerHeader wave64(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    walkChunks(read, length, {40, 24, 16, 8, false, true, 8, true}, [&](const Chunk &c) {
        if (is(c.head, "data")) {
            h.known = true;
            h.dataOffset = c.body;
            h.dataBytes = static_cast<std::int64_t>(std::min<std::uint64_t>(c.size, INT64_MAX));
            return true;
        }
        if (c.size > static_cast<std::uint64_t>(length - c.body))
            return false; // past the end: the walk stops, nothing read
        if (is(c.head, "fmt ")) {
            unsigned char f[2];
            if (read(f, 2, c.body) == 2)
                h.formatTag = f[0] | f[1] << 8;
        } else if (is(c.head, "fact")) {
            unsigned char n[8];
            if (read(n, 8, c.body) == 8)
                h.factFrames = static_cast<std::int64_t>(le64(n));
        }
        return false;
    });
    return h;
}

ContainerHeader aiff(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    walkChunks(read, length, {12, 8, 4, 4, true, false, 2, false}, [&](const Chunk &c) {
        unsigned char offset[4];
        if (!is(c.head, "SSND") || c.size < 8 || read(offset, 4, c.body) != 4)
            return false;
        const std::uint32_t skip = be32(offset);
        h.known = true;
        h.dataOffset = c.body + 8 + skip;
        h.dataBytes = static_cast<std::int64_t>(c.size) - 8 - skip;
        return true;
    });
    return h;
}

ContainerHeader caf(const ReadAt &read, std::int64_t length)
{
    ContainerHeader h;
    walkChunks(read, length, {8, 12, 4, 8, true, false, 1, true}, [&](const Chunk &c) {
        if (!is(c.head, "data"))
            return false;
        const auto size = static_cast<std::int64_t>(c.size);
        h.known = true;
        h.dataOffset = c.body + 4; // after the edit count
        h.lengthUnknown = size == -1;
        h.dataBytes = size < 0 ? 0 : size - 4;
        return true;
    });
    return h;
}

} // namespace

ContainerHeader readContainerHeader(const ReadAt &read, std::int64_t length)
{
    unsigned char head[wavesignature::headBytes] = {};
    const std::int64_t got = read(head, sizeof head, 0);
    switch (wavesignature::kindOf(head, got < 0 ? 0 : std::size_t(got))) {
    case wavesignature::Kind::Riff: return riff(read, length, false, false);
    case wavesignature::Kind::Rifx: return riff(read, length, true, false);
    case wavesignature::Kind::Rf64: return riff(read, length, false, true);
    case wavesignature::Kind::Wave64: return wave64(read, length);
    case wavesignature::Kind::None: break;
    }
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
