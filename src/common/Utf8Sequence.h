#pragma once

#include <cstddef>

// The length of the valid UTF-8 sequence that starts at `p` (1 to 4
// bytes), or 0 where none does: a stray continuation byte, a sequence cut
// short, an overlong form, a surrogate or a value past Unicode. Plain C++,
// shared by conv (tag texts) and the program (file names).
inline int utf8SequenceLength(const unsigned char *p, std::size_t available)
{
    if (available == 0)
        return 0;
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    int extra = 0;
    char32_t code = 0;
    if ((c & 0xe0) == 0xc0) {
        extra = 1;
        code = c & 0x1f;
    } else if ((c & 0xf0) == 0xe0) {
        extra = 2;
        code = c & 0x0f;
    } else if ((c & 0xf8) == 0xf0) {
        extra = 3;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(extra) >= available)
        return 0;
    for (int k = 1; k <= extra; ++k) {
        if ((p[k] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (p[k] & 0x3f);
    }
    constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (code < least[extra] || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff)
        return 0;
    return extra + 1;
}
