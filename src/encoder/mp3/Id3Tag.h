#pragma once

#include "AudioReader.h"

#include <string>

// An ID3v2.4 tag with UTF-8 text frames for the tags that are set; empty
// when no tag is set.
std::string makeId3v2Tag(const AudioTags &tags);
