#pragma once

// How an audio file that conv reads is known by its first bytes, whatever
// its name: the WAV family (WaveSignature), AIFF and AIFF-C, FLAC, Ogg
// (Vorbis, Opus, FLAC), MPEG audio (an ID3v2 tag or a frame's sync), Apple's
// CAF and Sun's AU. The program picks a dropped folder's files by it, and a
// file named as audio that it does not know is told, not passed over.
// Plain C++, as conv links no Qt.
#include "WaveSignature.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>

namespace audiosignature {

// The bytes the check needs at most.
inline constexpr std::size_t headBytes = std::max<std::size_t>(wavesignature::headBytes, 12);

// MPEG audio (an MP3): an ID3v2 tag, or a frame's eleven sync bits with a
// known version and layer, and a bit rate and sample rate not reserved.
inline bool isMpeg(const unsigned char *head, std::size_t got)
{
    if (got >= 3 && std::memcmp(head, "ID3", 3) == 0)
        return true;
    return got >= 4 && head[0] == 0xff && (head[1] & 0xe0) == 0xe0 && (head[1] & 0x18) != 0x08 && (head[1] & 0x06) != 0
           && (head[2] & 0xf0) != 0xf0 && (head[2] & 0x0c) != 0x0c;
}

inline bool isAudio(const unsigned char *head, std::size_t got)
{
    if (wavesignature::kindOf(head, got) != wavesignature::Kind::None)
        return true;
    const auto is = [head, got](std::size_t at, const char *tag) {
        const std::size_t size = std::strlen(tag);
        return got >= at + size && std::memcmp(head + at, tag, size) == 0;
    };
    if (is(0, "FORM") && (is(8, "AIFF") || is(8, "AIFC")))
        return true;
    if (is(0, "fLaC") || is(0, "OggS") || is(0, "caff") || is(0, ".snd"))
        return true;
    return isMpeg(head, got);
}

// The name endings of the audio conv reads.
inline constexpr const char *audioExtensions[] = {"wav", "wave", "bwf",  "rf64", "w64", "aif", "aiff", "aifc", "flac",
                                                  "ogg", "oga",  "opus", "mp3",  "mp2", "caf", "au",   "snd"};

// Whether a file's name says it is audio of a kind conv reads.
inline bool hasAudioName(const std::string &name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return std::any_of(std::begin(audioExtensions), std::end(audioExtensions),
                       [&](const char *known) { return extension == known; });
}

} // namespace audiosignature
