// conv's stand-ins for the libsndfile functions it calls, so that it
// does not load libsndfile before an input needs it (see CodecLibrary).
#include "CodecFunction.h"

#include <sndfile.h>

namespace {

template <auto Stub>
decltype(Stub) real(const char *name)
{
    return codecFunction<Stub>(CodecLibrary::Sndfile, name);
}

} // namespace

SNDFILE *sf_open_virtual(SF_VIRTUAL_IO *io, int mode, SF_INFO *info, void *user)
{
    return real<&sf_open_virtual>(CODEC_SYMBOL(sf_open_virtual))(io, mode, info, user);
}

int sf_close(SNDFILE *file)
{
    return real<&sf_close>(CODEC_SYMBOL(sf_close))(file);
}

int sf_error(SNDFILE *file)
{
    return real<&sf_error>(CODEC_SYMBOL(sf_error))(file);
}

const char *sf_error_number(int number)
{
    return real<&sf_error_number>(CODEC_SYMBOL(sf_error_number))(number);
}

const char *sf_get_string(SNDFILE *file, int which)
{
    return real<&sf_get_string>(CODEC_SYMBOL(sf_get_string))(file, which);
}

sf_count_t sf_readf_float(SNDFILE *file, float *frames, sf_count_t count)
{
    return real<&sf_readf_float>(CODEC_SYMBOL(sf_readf_float))(file, frames, count);
}

sf_count_t sf_seek(SNDFILE *file, sf_count_t frames, int whence)
{
    return real<&sf_seek>(CODEC_SYMBOL(sf_seek))(file, frames, whence);
}
