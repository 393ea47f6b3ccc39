#pragma once

#include "AudioReader.h"

#include <string>

// The result's ID3v2.4 tag: every tag the input holds that ID3 has room
// for (see ContainerTags), then what libsndfile reads of other containers;
// empty when the input has no tags.
std::string makeId3v2Tag(const AudioReader &input);
