// conv: converts an audio file (WAV and whatever else libsndfile reads)
// to a constant-bit-rate MP3 file.
#include "ConvProgram.h"
#include "ConvSystem.h"

int main(int argc, char **argv)
{
    return runConv(convsys::arguments(argc, argv));
}
