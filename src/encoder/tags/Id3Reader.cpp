#include "Id3Reader.h"

#include "TagTables.h"
#include "TextEncoding.h"

#include <string>

namespace {

std::uint32_t syncSafe(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7f);
    return value;
}

std::uint32_t bigEndian(std::string_view bytes, int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Undoes unsynchronisation: every 0xff 0x00 was 0xff.
std::string resynchronised(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == '\xff' && i + 1 < bytes.size() && bytes[i + 1] == '\0')
            ++i;
    }
    return out;
}

// ID3v2.2's PIC names its image by a three-letter format, 2.4's APIC by a
// mime type.
std::string pictureFromV22(std::string_view body)
{
    if (body.size() < 5)
        return {};
    const std::string_view format = body.substr(1, 3);
    const std::string mime = format == "PNG" ? "image/png" : format == "JPG" ? "image/jpeg" : "image/" + std::string(format);
    return std::string(1, body[0]) + mime + '\0' + std::string(body.substr(4));
}

void addFrame(std::string_view id, std::string_view body, int version, TagFrames &frames)
{
    std::string name(id);
    std::string reshaped;
    if (version == 2) {
        name = id3v22FrameName(id);
        if (name == "APIC") {
            reshaped = pictureFromV22(body);
            body = reshaped;
        }
    } else if (version == 3) {
        name = id3v23FrameName(id);
    }
    if (name.size() != 4)
        return; // none in ID3v2.4
    frames.addFrame(name, body);
}

} // namespace

std::int64_t id3v2TagSize(std::string_view header)
{
    if (header.size() < 10 || header.substr(0, 3) != "ID3" || header[3] < 2 || header[3] > 4
        || static_cast<unsigned char>(header[4]) == 0xff)
        return 0;
    for (int i = 6; i < 10; ++i) {
        if (static_cast<unsigned char>(header[i]) & 0x80)
            return 0;
    }
    const bool footer = header[3] == 4 && (header[5] & 0x10);
    return 10 + std::int64_t(syncSafe(header.substr(6))) + (footer ? 10 : 0);
}

void addId3v2Frames(std::string_view tag, TagFrames &frames)
{
    if (id3v2TagSize(tag) == 0)
        return;
    const int version = tag[3];
    const unsigned flags = static_cast<unsigned char>(tag[5]);
    const bool wholeUnsynchronised = flags & 0x80;
    std::string_view body = tag.substr(10, std::min<std::size_t>(tag.size() - 10, syncSafe(tag.substr(6))));
    std::string undone;
    if (wholeUnsynchronised && version < 4) {
        undone = resynchronised(body);
        body = undone;
    }
    if (version == 2 && (flags & 0x40))
        return; // 2.2's compression was never defined
    if (version >= 3 && (flags & 0x40) && body.size() >= 4) { // an extended header
        const std::uint64_t skip = version == 3 ? 4 + std::uint64_t(bigEndian(body, 4)) : syncSafe(body);
        body = body.substr(std::min<std::uint64_t>(skip, body.size()));
    }
    const std::size_t header = version == 2 ? 6 : 10;
    const std::size_t idWidth = version == 2 ? 3 : 4;
    while (body.size() >= header && body[0] != '\0') { // padding begins with a zero
        const std::string_view id = body.substr(0, idWidth);
        const std::uint64_t size = version == 2 ? bigEndian(body.substr(3), 3)
                                 : version == 3 ? bigEndian(body.substr(4), 4)
                                                : syncSafe(body.substr(4));
        if (size > body.size() - header)
            return; // a frame past the tag's end: the rest is not to be trusted
        const unsigned format = version == 2 ? 0 : static_cast<unsigned char>(body[9]);
        std::string_view content = body.substr(header, size);
        body = body.substr(header + size);
        std::string frameUndone;
        if (version == 3) {
            if (format & 0xc0)
                continue; // compressed or encrypted
            if (format & 0x20) // grouped: a group byte first
                content = content.substr(std::min<std::size_t>(1, content.size()));
        } else if (version == 4) {
            if (format & 0x0c)
                continue; // compressed or encrypted
            if (format & 0x40)
                content = content.substr(std::min<std::size_t>(1, content.size()));
            if ((format & 0x02) || wholeUnsynchronised) {
                frameUndone = resynchronised(content);
                content = frameUndone;
            }
            if (format & 0x01) // the length before unsynchronisation
                content = content.substr(std::min<std::size_t>(4, content.size()));
        }
        for (char c : id) {
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                return;
        }
        addFrame(id, content, version, frames);
    }
}

void addId3v1Fields(std::string_view last128, TagFrames &frames)
{
    if (last128.size() != 128 || last128.substr(0, 3) != "TAG")
        return;
    const auto field = [last128](std::size_t at, std::size_t width) {
        std::string_view text = last128.substr(at, width);
        text = text.substr(0, text.find('\0'));
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return utf8FromUnknown(text);
    };
    frames.addText("TIT2", field(3, 30));
    frames.addText("TPE1", field(33, 30));
    frames.addText("TALB", field(63, 30));
    frames.addText("TDRC", field(93, 4));
    // ID3v1.1: a zero before the comment's last byte makes it the track.
    const bool hasTrack = last128[125] == '\0' && last128[126] != '\0';
    frames.addComment("", field(97, hasTrack ? 28 : 30));
    if (hasTrack)
        frames.addText("TRCK", std::to_string(static_cast<unsigned char>(last128[126])));
    frames.addText("TCON", id3v1Genre(static_cast<unsigned char>(last128[127])));
}
