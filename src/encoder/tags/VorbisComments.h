#pragma once

#include "TagFrames.h"

#include <string_view>

// Vorbis comments (FLAC, Ogg Vorbis, Opus) and FLAC pictures as ID3 frames.

// Adds the fields of a Vorbis comment block (its vendor string first): a
// track or disc number joined with its total ("3/12"), several values of
// one name in one frame, pictures (METADATA_BLOCK_PICTURE) as pictures.
void addVorbisComments(std::string_view block, TagFrames &frames);
// Adds the picture of a FLAC PICTURE metadata block.
void addFlacPicture(std::string_view block, TagFrames &frames);
