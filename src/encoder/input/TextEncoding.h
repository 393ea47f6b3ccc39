#pragma once

#include <string>
#include <string_view>

// Text of an unknown encoding as UTF-8: valid UTF-8 stays as it is;
// anything else is read as Windows-1252, the usual encoding of WAV INFO
// chunks.
std::string utf8FromUnknown(std::string_view text);
