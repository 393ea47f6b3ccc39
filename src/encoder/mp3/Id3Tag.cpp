#include "Id3Tag.h"

namespace {

void putSyncSafe(std::string &out, std::size_t value)
{
    out.push_back(static_cast<char>((value >> 21) & 0x7f));
    out.push_back(static_cast<char>((value >> 14) & 0x7f));
    out.push_back(static_cast<char>((value >> 7) & 0x7f));
    out.push_back(static_cast<char>(value & 0x7f));
}

void frame(std::string &out, const char *id, const std::string &body)
{
    out.append(id, 4);
    putSyncSafe(out, body.size());
    out.append(2, '\0'); // flags
    out += body;
}

void textFrame(std::string &out, const char *id, const std::string &value)
{
    if (value.empty())
        return;
    frame(out, id, std::string(1, '\x03') + value); // 3: UTF-8
}

} // namespace

std::string makeId3v2Tag(const AudioTags &tags)
{
    if (tags.empty())
        return {};
    std::string frames;
    textFrame(frames, "TIT2", tags.title);
    textFrame(frames, "TPE1", tags.artist);
    textFrame(frames, "TALB", tags.album);
    textFrame(frames, "TDRC", tags.date);
    textFrame(frames, "TRCK", tags.track);
    if (!tags.comment.empty())
        frame(frames, "COMM", std::string("\x03" "eng", 4) + std::string(1, '\0') + tags.comment);

    std::string tag = "ID3";
    tag.push_back('\x04'); // version 2.4.0
    tag.push_back('\0');
    tag.push_back('\0'); // no flags
    putSyncSafe(tag, frames.size());
    return tag + frames;
}
