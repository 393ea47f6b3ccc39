#pragma once

#include "ContainerHeader.h"
#include "TagFrames.h"

#include <cstdint>

// The tags of an input file, read from its container without libsndfile:
// a WAV's (RIFF, RF64, BW64) id3 chunk, LIST/INFO and bext; AIFF's ID3 and
// text chunks; FLAC's Vorbis comment and pictures; an Ogg stream's
// comment header (Vorbis, Opus, FLAC, Speex); an ID3v2 tag at the start
// of any file (MP3 above all) and an ID3v1 tag at its end. Where a file
// holds several, the richer kind is taken first (ID3, then Vorbis
// comments, then INFO, then bext, then ID3v1).
TagFrames readContainerTags(const ReadAt &read, std::int64_t fileLength);
