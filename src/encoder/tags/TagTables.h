#pragma once

#include <string>
#include <string_view>

// Where each field of the tag formats conv reads goes in ID3v2.4. A field
// is a frame ("TCOM"), a user text frame ("TXXX" with a description), a
// comment ("COMM") or the lyrics ("USLT").
struct TagField {
    std::string_view frame;
    std::string_view description; // TXXX's
};

// A RIFF LIST/INFO (or AIFF text) chunk id's field; none when unknown.
const TagField *infoField(std::string_view chunkId);
// A Vorbis comment name's field (any case); unknown names are user texts.
TagField vorbisField(std::string_view name);
// ID3v2.3 and 2.2 frames by their 2.4 names; empty for those 2.4 has none of.
std::string id3v23FrameName(std::string_view id);
std::string id3v22FrameName(std::string_view id);
// The name of an ID3v1 genre number; empty for none.
std::string id3v1Genre(int number);
