#pragma once

#include <optional>
#include <string>

// The command line of conv:
//   conv -i INPUT [-y] [-ab RATE] [-ar HZ] [-ac N] [-threads N|auto] OUTPUT
struct ConvOptions {
    std::string input;
    std::string output;
    bool overwrite = false;
    std::optional<int> bitRateKbps; // as asked; mapped later
    std::string bitRateText;        // as given, for messages
    std::optional<int> sampleRate;
    std::optional<int> channels;
    int threads = 0; // 0: as many as the machine has cores (at most 8)
    bool help = false;
    bool version = false;
};

struct ParseResult {
    ConvOptions options;
    std::string error; // empty on success
};

ParseResult parseConvOptions(int argc, const char *const *argv);

// A bit rate argument: "128k" (kbit/s) or "128000" (bit/s), in kbit/s.
std::optional<int> parseBitRate(const std::string &text);
