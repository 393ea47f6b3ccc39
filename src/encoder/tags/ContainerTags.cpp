#include "ContainerTags.h"

#include "Id3Reader.h"
#include "TagTables.h"
#include "TextEncoding.h"
#include "VorbisComments.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

// No chunk walk goes on for ever over a hostile file of tiny chunks.
constexpr int maxChunks = 100000;

std::string bytesAt(const ReadAt &read, std::int64_t offset, std::int64_t size)
{
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(0, size)), '\0');
    const std::int64_t got = size > 0 ? read(bytes.data(), size, offset) : 0;
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, got)));
    return bytes;
}

std::uint32_t number(std::string_view bytes, bool bigEndian)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (bigEndian ? 24 - 8 * i : 8 * i);
    return value;
}

// Text of a fixed-width or zero-ended field, as UTF-8.
std::string text(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.remove_suffix(1);
    return utf8FromUnknown(bytes);
}

void addField(const TagField &field, const std::string &value, TagFrames &frames)
{
    if (field.frame == "COMM")
        frames.addComment("", value);
    else if (field.frame == "TXXX")
        frames.addUserText(std::string(field.description), value);
    else
        frames.addText(field.frame, value);
}

void addInfoList(std::string_view list, TagFrames &frames)
{
    for (int i = 0; list.size() >= 8 && i < maxChunks; ++i) {
        const std::string_view id = list.substr(0, 4);
        const std::uint32_t size = number(list.substr(4), false);
        const std::string_view value = list.substr(8, std::min<std::size_t>(size, list.size() - 8));
        if (const TagField *field = infoField(id))
            addField(*field, text(value), frames);
        list.remove_prefix(std::min<std::size_t>(list.size(), 8 + std::uint64_t(size) + (size & 1)));
    }
}

void addBext(std::string_view bext, TagFrames &frames)
{
    if (bext.size() < 338)
        return;
    const std::string description = text(bext.substr(0, 256));
    if (frames.has("COMM"))
        frames.addUserText("BWF description", description); // kept beside the INFO comment
    else
        frames.addComment("", description);
    frames.addText("TENC", text(bext.substr(256, 32)));
    const std::string date = text(bext.substr(320, 10));
    const std::string time = text(bext.substr(330, 8));
    // ID3's time stamps: yyyy-MM-ddTHH:mm:ss (BWF writes - or : or . or space).
    std::string stamp = date;
    if (date.size() == 10 && !time.empty())
        stamp += 'T' + time;
    std::replace_if(stamp.begin() + std::min<std::size_t>(stamp.size(), 11), stamp.end(),
                    [](char c) { return c == '-' || c == '.' || c == ' '; }, ':');
    std::replace_if(stamp.begin(), stamp.begin() + std::min<std::size_t>(stamp.size(), 10),
                    [](char c) { return c == ':' || c == '.' || c == ' ' || c == '/'; }, '-');
    frames.addText("TDRC", stamp);
}

// The chunks of a WAV or AIFF file, taken in order of preference.
void addChunkTags(const ReadAt &read, std::int64_t length, bool bigEndian, TagFrames &frames)
{
    const ContainerHeader header = readContainerHeader(read, length);
    std::string id3, info, bext;
    std::vector<std::pair<std::string, std::string>> texts; // AIFF's
    std::int64_t at = 12;
    for (int i = 0; i < maxChunks && at + 8 <= length; ++i) {
        const std::string head = bytesAt(read, at, 8);
        if (head.size() < 8)
            break;
        const std::string id = head.substr(0, 4);
        std::int64_t size = number(std::string_view(head).substr(4), bigEndian);
        if (id == "data" && size == 0xffffffff && header.known && header.dataOffset == at + 8)
            size = header.dataBytes; // RF64's, from its ds64 chunk
        const std::int64_t body = at + 8;
        const std::int64_t readable = std::min<std::int64_t>(size, std::int64_t(TagFrames::maxBytes));
        if (id == "id3 " || id == "ID3 ")
            id3 = bytesAt(read, body, readable);
        else if (id == "LIST" && bytesAt(read, body, 4) == "INFO")
            info = bytesAt(read, body + 4, std::min<std::int64_t>(readable - 4, 1 << 20));
        else if (id == "bext")
            bext = bytesAt(read, body, std::min<std::int64_t>(readable, 602));
        else if (bigEndian && infoField(id) && texts.size() < 64)
            texts.emplace_back(id, bytesAt(read, body, std::min<std::int64_t>(readable, 1 << 16)));
        at = body + size + (size & 1);
    }
    addId3v2Frames(id3, frames);
    addInfoList(info, frames);
    for (const auto &[id, value] : texts)
        addField(*infoField(id), text(value), frames);
    addBext(bext, frames);
}

void addFlacTags(const ReadAt &read, std::int64_t at, std::int64_t length, TagFrames &frames)
{
    for (int i = 0, last = 0; !last && at + 4 <= length && i < maxChunks; ++i) {
        const std::string head = bytesAt(read, at, 4);
        if (head.size() < 4)
            return;
        last = head[0] & 0x80 ? 1 : 0;
        const int type = head[0] & 0x7f;
        const std::int64_t size = (std::int64_t(static_cast<unsigned char>(head[1])) << 16)
                                | (static_cast<unsigned char>(head[2]) << 8) | static_cast<unsigned char>(head[3]);
        if (type == 4)
            addVorbisComments(bytesAt(read, at + 4, size), frames);
        else if (type == 6)
            addFlacPicture(bytesAt(read, at + 4, size), frames);
        else if (type == 127)
            return; // invalid
        at += 4 + size;
    }
}

// The second packet of the first stream of an Ogg file: its comments.
std::string oggCommentPacket(const ReadAt &read, std::int64_t length)
{
    std::string packet;
    int packets = 0;
    std::uint32_t serial = 0;
    for (std::int64_t at = 0; at + 27 <= length && at < 64 * std::int64_t(TagFrames::maxBytes);) {
        const std::string head = bytesAt(read, at, 27);
        if (head.size() < 27 || head.compare(0, 4, "OggS") != 0)
            return {};
        const int segments = static_cast<unsigned char>(head[26]);
        const std::string table = bytesAt(read, at + 27, segments);
        if (int(table.size()) < segments)
            return {};
        const std::uint32_t pageSerial = number(std::string_view(head).substr(14), false);
        if (at == 0)
            serial = pageSerial;
        std::int64_t body = at + 27 + segments;
        for (int i = 0; i < segments; ++i) {
            const int size = static_cast<unsigned char>(table[i]);
            if (pageSerial == serial && packets == 1) {
                if (packet.size() + size > TagFrames::maxBytes)
                    return {};
                packet += bytesAt(read, body, size);
            }
            body += size;
            if (pageSerial == serial && size < 255 && ++packets == 2)
                return packet;
        }
        at = body;
    }
    return {};
}

void addOggTags(const ReadAt &read, std::int64_t length, TagFrames &frames)
{
    const std::string packet = oggCommentPacket(read, length);
    const std::string_view view(packet);
    if (view.substr(0, 7) == "\x03vorbis")
        addVorbisComments(view.substr(7), frames);
    else if (view.substr(0, 8) == "OpusTags")
        addVorbisComments(view.substr(8), frames);
    else if (!view.empty() && (view[0] & 0x7f) == 4) // FLAC in Ogg: a metadata block
        addVorbisComments(view.substr(std::min<std::size_t>(4, view.size())), frames);
    else
        addVorbisComments(view, frames); // Speex: the comments themselves
}

} // namespace

TagFrames readContainerTags(const ReadAt &read, std::int64_t fileLength)
{
    TagFrames frames;
    const std::string head = bytesAt(read, 0, 12);
    if (head.size() < 12)
        return frames;
    const std::string_view magic = std::string_view(head).substr(0, 4);
    const std::string_view form = std::string_view(head).substr(8, 4);
    if ((magic == "RIFF" || magic == "RF64" || magic == "BW64") && form == "WAVE") {
        addChunkTags(read, fileLength, false, frames);
    } else if (magic == "FORM" && (form == "AIFF" || form == "AIFC")) {
        addChunkTags(read, fileLength, true, frames);
    } else if (magic == "OggS") {
        addOggTags(read, fileLength, frames);
        return frames;
    } else if (const std::int64_t size = id3v2TagSize(bytesAt(read, 0, 10))) {
        addId3v2Frames(bytesAt(read, 0, std::min<std::int64_t>(size, TagFrames::maxBytes)), frames);
        if (bytesAt(read, size, 4) == "fLaC")
            addFlacTags(read, size + 4, fileLength, frames);
    }
    if (magic == "fLaC") {
        addFlacTags(read, 4, fileLength, frames);
        return frames;
    }
    if (fileLength >= 128)
        addId3v1Fields(bytesAt(read, fileLength - 128, 128), frames);
    return frames;
}
