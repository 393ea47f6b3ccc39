// conv with its parts cut as a test asks, through the library's settings:
//   conv_parts PART_FRAMES WARMUP_FRAMES CONV-ARGUMENTS...
// (0 leaves a length as conv plans it). It speaks as conv does.
#include "ConvProgram.h"
#include "ConvSystem.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    std::vector<std::string> words = convsys::arguments(argc, argv);
    if (words.size() < 3) {
        std::fprintf(stderr, "usage: conv_parts PART_FRAMES WARMUP_FRAMES CONV-ARGUMENTS...\n");
        return 2;
    }
    const PartTuning tuning{std::atoi(words[1].c_str()), std::atoi(words[2].c_str())};
    words.erase(words.begin(), words.begin() + 3);
    words.insert(words.begin(), "conv");
    return runConv(words, tuning);
}
