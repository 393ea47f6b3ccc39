#pragma once

#include "TagFrames.h"

#include <cstdint>
#include <string_view>

// ID3 tags read into frames of ID3v2.4: an ID3v2.2, 2.3 or 2.4 tag's frames
// carried over (renamed or reshaped where 2.4 differs; compressed or
// encrypted frames, and those 2.4 dropped, left out), or an ID3v1 tag's
// fields.

// The whole size of the ID3v2 tag that starts with `header` (10 bytes),
// footer included; 0 when it is no ID3v2 tag.
std::int64_t id3v2TagSize(std::string_view header);
// Adds the frames of the ID3v2 tag `tag` (its header included).
void addId3v2Frames(std::string_view tag, TagFrames &frames);
// Adds the fields of the ID3v1 tag in a file's last 128 bytes, if any.
void addId3v1Fields(std::string_view last128, TagFrames &frames);
