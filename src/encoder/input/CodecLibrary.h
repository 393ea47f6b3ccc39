#pragma once

#include <string>

// The codec libraries conv reads with besides LAME. Where they are shared
// libraries (Linux: ondemand/) each is loaded only when an input needs
// it: loading all of them at every start cost more than the whole
// reading of a short plain WAV. Where they are linked into conv (Windows:
// linked/) they are always ready.
enum class CodecLibrary { Sndfile, Soxr, Mpg123 };

// Whether `library` can be used; if not, `error` says why. Call it before
// the library's first function (any thread; it loads at most once).
bool codecLibraryReady(CodecLibrary library, std::string &error);
