#pragma once

#include <string>
#include <vector>

// What tests set that users never do: every part's length in frames, for
// many joins in a short file, and the warm-up's, for joins that fail
// (0: as the plan chooses).
struct PartTuning {
    int partFrames = 0;
    int warmUpFrames = 0;
};

// conv as a program: its command line (the name it was started by first)
// in, its exit status out, its help and messages on standard output and
// error.
int runConv(const std::vector<std::string> &words, const PartTuning &tuning = {});
