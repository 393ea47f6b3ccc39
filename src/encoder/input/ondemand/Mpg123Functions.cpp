// conv's stand-ins for the libmpg123 functions it calls, so that it does
// not load libmpg123 before an MPEG input needs it (see CodecLibrary).
#include "CodecFunction.h"

#include <mpg123.h>

namespace {

template <auto Stub>
decltype(Stub) real(const char *name)
{
    return codecFunction<Stub>(CodecLibrary::Mpg123, name);
}

} // namespace

int mpg123_init(void)
{
    return real<&mpg123_init>(CODEC_SYMBOL(mpg123_init))();
}

mpg123_handle *mpg123_new(const char *decoder, int *error)
{
    return real<&mpg123_new>(CODEC_SYMBOL(mpg123_new))(decoder, error);
}

void mpg123_delete(mpg123_handle *handle)
{
    real<&mpg123_delete>(CODEC_SYMBOL(mpg123_delete))(handle);
}

int mpg123_param(mpg123_handle *handle, int type, long value, double fvalue)
{
    return real<&mpg123_param>(CODEC_SYMBOL(mpg123_param))(handle, type, value, fvalue);
}

int mpg123_format_none(mpg123_handle *handle)
{
    return real<&mpg123_format_none>(CODEC_SYMBOL(mpg123_format_none))(handle);
}

int mpg123_format(mpg123_handle *handle, long rate, int channels, int encodings)
{
    return real<&mpg123_format>(CODEC_SYMBOL(mpg123_format))(handle, rate, channels, encodings);
}

void mpg123_rates(const long **list, size_t *count)
{
    real<&mpg123_rates>(CODEC_SYMBOL(mpg123_rates))(list, count);
}

int mpg123_open_feed(mpg123_handle *handle)
{
    return real<&mpg123_open_feed>(CODEC_SYMBOL(mpg123_open_feed))(handle);
}

int mpg123_feed(mpg123_handle *handle, const unsigned char *in, size_t size)
{
    return real<&mpg123_feed>(CODEC_SYMBOL(mpg123_feed))(handle, in, size);
}

int mpg123_read(mpg123_handle *handle, void *out, size_t size, size_t *done)
{
    return real<&mpg123_read>(CODEC_SYMBOL(mpg123_read))(handle, out, size, done);
}

int mpg123_getformat(mpg123_handle *handle, long *rate, int *channels, int *encoding)
{
    return real<&mpg123_getformat>(CODEC_SYMBOL(mpg123_getformat))(handle, rate, channels, encoding);
}

const char *mpg123_plain_strerror(int error)
{
    return real<&mpg123_plain_strerror>(CODEC_SYMBOL(mpg123_plain_strerror))(error);
}

const char *mpg123_strerror(mpg123_handle *handle)
{
    return real<&mpg123_strerror>(CODEC_SYMBOL(mpg123_strerror))(handle);
}
