#pragma once

#include "CodecLibrary.h"

// The library's own function `name` (loading the library if need be);
// conv ends with the reason if it cannot be had: that is a broken
// installation, since callers check codecLibraryReady first.
void *codecSymbol(CodecLibrary library, const char *name);

// The real function behind one of conv's stand-ins `Stub` for it, looked
// up once.
template <auto Stub>
decltype(Stub) codecFunction(CodecLibrary library, const char *name)
{
    static const auto real = reinterpret_cast<decltype(Stub)>(codecSymbol(library, name));
    return real;
}

// The name a function is exported under: a header may rename it by a macro.
#define CODEC_SYMBOL(function) CODEC_SYMBOL_TEXT(function)
#define CODEC_SYMBOL_TEXT(function) #function
