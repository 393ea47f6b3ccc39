#include "TagFrames.h"

#include <algorithm>

namespace {

constexpr char utf8 = '\x03';
constexpr std::size_t frameHeader = 10;

void putSyncSafe(std::string &out, std::size_t value)
{
    for (int shift = 21; shift >= 0; shift -= 7)
        out.push_back(static_cast<char>((value >> shift) & 0x7f));
}

// Text frames are keyed by id alone: ID3 allows one of each.
bool isPlainText(std::string_view id)
{
    return id.size() == 4 && id[0] == 'T' && id != "TXXX";
}

// The key of a carried frame that is told apart by its own label (a
// comment's, a user text's, a picture's): the key a frame made here gets,
// when the label is in one-byte text.
std::string describedKey(std::string_view id, std::string_view body)
{
    if (body.empty() || (body[0] != 0 && body[0] != utf8))
        return {};
    std::size_t at = 1; // past the text's encoding
    if (id == "COMM" || id == "USLT") {
        at += 3; // language
    } else if (id == "APIC") {
        at = body.find('\0', 1); // past the mime type and the picture type
        if (at == std::string_view::npos)
            return {};
        at += 2;
    } else if (id != "TXXX") {
        return {};
    }
    const std::size_t end = at < body.size() ? body.find('\0', at) : std::string_view::npos;
    return end == std::string_view::npos ? std::string() : std::string(id) + std::string(body.substr(at, end - at));
}

} // namespace

void TagFrames::add(std::string key, std::string_view id, std::string body)
{
    if (body.empty() || has(key) || m_bytes + frameHeader + body.size() > maxBytes)
        return;
    m_bytes += frameHeader + body.size();
    m_frames.push_back({std::move(key), std::string(id), std::move(body)});
}

void TagFrames::addText(std::string_view id, const std::vector<std::string> &values)
{
    std::string body(1, utf8);
    for (const std::string &value : values) {
        if (value.empty())
            continue;
        if (body.size() > 1)
            body.push_back('\0'); // ID3v2.4's separator of values
        body += value;
    }
    if (body.size() > 1)
        add(std::string(id), id, std::move(body));
}

void TagFrames::addUserText(const std::string &description, const std::string &value)
{
    if (!value.empty())
        add("TXXX" + description, "TXXX", utf8 + description + '\0' + value);
}

void TagFrames::addComment(const std::string &description, const std::string &text)
{
    if (!text.empty())
        add("COMM" + description, "COMM", utf8 + std::string("eng") + description + '\0' + text);
}

void TagFrames::addLyrics(const std::string &text)
{
    if (!text.empty())
        add("USLT", "USLT", utf8 + std::string("eng") + '\0' + text);
}

void TagFrames::addPicture(const std::string &mime, int type, const std::string &description, std::string_view data)
{
    if (data.empty())
        return;
    std::string body = utf8 + mime + '\0';
    body.push_back(static_cast<char>(std::clamp(type, 0, 20)));
    body += description + '\0';
    body += data;
    add("APIC" + description, "APIC", std::move(body));
}

void TagFrames::addFrame(std::string_view id, std::string_view body)
{
    // Frames of other kinds are told apart by their whole body (two
    // pictures, two comments of the original tag stay two).
    std::string key = isPlainText(id) ? std::string(id) : describedKey(id, body);
    if (key.empty())
        key = std::string(id) + std::string(body);
    add(std::move(key), id, std::string(body));
}

bool TagFrames::has(std::string_view key) const
{
    return std::any_of(m_frames.begin(), m_frames.end(), [key](const Frame &frame) { return frame.key == key; });
}

std::string TagFrames::id3v2() const
{
    if (m_frames.empty())
        return {};
    std::string tag = "ID3";
    tag += std::string("\x04\0\0", 3); // version 2.4.0, no flags
    putSyncSafe(tag, m_bytes);
    for (const Frame &frame : m_frames) {
        tag += frame.id;
        putSyncSafe(tag, frame.body.size());
        tag.append(2, '\0'); // no flags
        tag += frame.body;
    }
    return tag;
}
