#include "VorbisComments.h"

#include "TagTables.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Reads numbers and strings from a block, failing (and staying failed)
// at its end rather than reading past it.
class BlockReader {
public:
    explicit BlockReader(std::string_view block) : m_rest(block) {}
    bool ok() const { return m_ok; }
    std::uint32_t number(bool bigEndian)
    {
        const std::string_view bytes = take(4);
        std::uint32_t value = 0;
        for (int i = 0; i < int(bytes.size()); ++i)
            value |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (bigEndian ? 24 - 8 * i : 8 * i);
        return value;
    }
    std::string_view take(std::uint64_t size)
    {
        if (size > m_rest.size()) {
            m_ok = false;
            m_rest = {};
            return {};
        }
        const std::string_view part = m_rest.substr(0, size);
        m_rest.remove_prefix(size);
        return part;
    }

private:
    std::string_view m_rest;
    bool m_ok = true;
};

std::string base64Decoded(std::string_view text)
{
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        int value;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+' || c == '-')
            value = 62;
        else if (c == '/' || c == '_')
            value = 63;
        else
            continue; // padding, line breaks
        bits = (bits << 6) | std::uint32_t(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xff));
        }
    }
    return out;
}

std::string upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

std::string joined(const std::vector<std::string> &values, char separator)
{
    std::string out;
    for (const std::string &value : values) {
        if (!out.empty())
            out.push_back(separator);
        out += value;
    }
    return out;
}

// "3" with a total of "12" is "3/12"; a number that holds its total
// already stays as it is.
std::string withTotal(const std::vector<std::string> &numbers, const std::vector<std::string> *totals)
{
    if (numbers.empty())
        return {};
    const std::string &number = numbers.front();
    if (!totals || totals->empty() || number.find('/') != std::string::npos)
        return number;
    return number + '/' + totals->front();
}

} // namespace

void addVorbisComments(std::string_view block, TagFrames &frames)
{
    BlockReader reader(block);
    reader.take(reader.number(false)); // the vendor
    const std::uint32_t count = reader.number(false);
    // Gathered by name first: totals and several values join into one frame.
    std::vector<std::pair<std::string, std::vector<std::string>>> fields;
    for (std::uint32_t i = 0; i < count && reader.ok(); ++i) {
        const std::string_view field = reader.take(reader.number(false));
        const std::size_t equals = field.find('=');
        if (!reader.ok() || equals == std::string_view::npos || equals == 0)
            continue;
        const std::string name = upper(field.substr(0, equals));
        const std::string_view value = field.substr(equals + 1);
        if (name == "METADATA_BLOCK_PICTURE") {
            addFlacPicture(base64Decoded(value), frames);
            continue;
        }
        auto it = std::find_if(fields.begin(), fields.end(), [&name](const auto &f) { return f.first == name; });
        if (it == fields.end())
            it = fields.insert(fields.end(), {name, {}});
        it->second.emplace_back(value);
    }
    const auto values = [&fields](std::initializer_list<std::string_view> names) -> const std::vector<std::string> * {
        for (std::string_view name : names) {
            for (const auto &field : fields) {
                if (field.first == name)
                    return &field.second;
            }
        }
        return nullptr;
    };
    for (const auto &[name, list] : fields) {
        const TagField field = vorbisField(name);
        if (name == "TRACKTOTAL" || name == "TOTALTRACKS" || name == "DISCTOTAL" || name == "TOTALDISCS")
            continue; // with their numbers
        if (field.frame == "TRCK")
            frames.addText("TRCK", withTotal(list, values({"TRACKTOTAL", "TOTALTRACKS"})));
        else if (field.frame == "TPOS")
            frames.addText("TPOS", withTotal(list, values({"DISCTOTAL", "TOTALDISCS"})));
        else if (field.frame == "COMM")
            frames.addComment("", joined(list, '\n'));
        else if (field.frame == "USLT")
            frames.addLyrics(joined(list, '\n'));
        else if (field.frame == "TXXX")
            frames.addUserText(std::string(field.description), joined(list, '\0'));
        else
            frames.addText(field.frame, list);
    }
    // A total without its number still says something.
    if (const auto *total = values({"TRACKTOTAL", "TOTALTRACKS"}); total && !frames.has("TRCK"))
        frames.addUserText("TRACKTOTAL", total->front());
    if (const auto *total = values({"DISCTOTAL", "TOTALDISCS"}); total && !frames.has("TPOS"))
        frames.addUserText("DISCTOTAL", total->front());
}

void addFlacPicture(std::string_view block, TagFrames &frames)
{
    BlockReader reader(block);
    const std::uint32_t type = reader.number(true);
    const std::string_view mime = reader.take(reader.number(true));
    const std::string_view description = reader.take(reader.number(true));
    reader.take(16); // width, height, depth, colours
    const std::string_view data = reader.take(reader.number(true));
    if (reader.ok() && mime != "-->") // "-->" is a link, not a picture
        frames.addPicture(std::string(mime), int(std::min<std::uint32_t>(type, 20)), std::string(description), data);
}
