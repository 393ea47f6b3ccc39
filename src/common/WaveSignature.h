#pragma once

// How a WAV file is known by its first bytes, whatever its name: the RIFF
// family (RIFF, big-endian RIFX, RF64 and BW64 for files over 4 GiB) and
// Sony's Wave64. conv reads its header by this, and the program picks the
// WAV files of a dropped folder by it. Plain C++, as conv links no Qt.
#include <cstddef>
#include <cstring>

namespace wavesignature {

enum class Kind { None, Riff, Rifx, Rf64, Wave64 };

// The bytes the check needs at most.
inline constexpr std::size_t headBytes = 40;

inline Kind kindOf(const unsigned char *head, std::size_t got)
{
    const auto is = [head](std::size_t at, const char *tag) { return std::memcmp(head + at, tag, 4) == 0; };
    if (got >= 12 && is(8, "WAVE")) {
        if (is(0, "RIFF"))
            return Kind::Riff;
        if (is(0, "RIFX"))
            return Kind::Rifx;
        if (is(0, "RF64") || is(0, "BW64"))
            return Kind::Rf64;
    }
    if (got >= 40 && is(0, "riff") && is(24, "wave"))
        return Kind::Wave64;
    return Kind::None;
}

} // namespace wavesignature
