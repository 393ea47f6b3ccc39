#include "TextEncoding.h"

#include "common/Utf8Sequence.h"

namespace {

bool validUtf8(std::string_view text)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const int length = utf8SequenceLength(bytes + i, text.size() - i);
        if (length == 0)
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// Windows-1252's characters at 0x80..0x9f (0 where it has none).
constexpr char16_t cp1252High[32] = {
    0x20ac, 0, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017d, 0,
    0, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0, 0x017e, 0x0178};

void append(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

} // namespace

std::string utf8FromUnknown(std::string_view text)
{
    if (validUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xa0)
            append(out, cp1252High[c - 0x80] ? cp1252High[c - 0x80] : 0xfffd);
        else
            append(out, c);
    }
    return out;
}
