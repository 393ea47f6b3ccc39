#include "CodecLibrary.h"

bool codecLibraryReady(CodecLibrary, std::string &)
{
    return true; // linked into conv
}
