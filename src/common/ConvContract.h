#pragma once

// What conv and the program that runs it agree on: how conv names itself
// and a file in its one line on standard error, and how it names its
// partial output. Plain C++, as conv links no Qt.
#include <optional>
#include <string>
#include <string_view>

namespace convcontract {

inline constexpr std::string_view programName = "conv";

// Which file a failure is about.
enum class Culprit { None, Input, Output };

// A failure as conv reports it: which file, and why in a few words.
struct Failure {
    Culprit culprit = Culprit::None;
    std::string why;
};

// conv's line: "conv: FILE: why", or "conv: why" when no file is to blame
// (installed under another name, conv says that name instead; the program
// runs it as "conv").
inline std::string errorLine(std::string_view file, std::string_view why, std::string_view program = programName)
{
    std::string line(program);
    line += ": ";
    if (!file.empty()) {
        line += file;
        line += ": ";
    }
    line += why;
    return line;
}

// The reason in a line of conv's that names `file`; nothing when the line
// names another file or is not conv's.
inline std::optional<std::string> reasonAbout(std::string_view line, std::string_view file)
{
    const std::string prefix = errorLine(file, {});
    if (line.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    return std::string(line.substr(prefix.size()));
}

// A line without conv's own name in front; any other line as it is.
inline std::string reasonIn(std::string_view line)
{
    const std::string prefix = errorLine({}, {});
    return std::string(line.substr(0, prefix.size()) == prefix ? line.substr(prefix.size()) : line);
}

// conv writes its output to a hidden file beside it, named by this prefix
// (the output's name cut to partialNameBytes) and six characters of its
// own, and renames it when the output is complete.
inline constexpr std::size_t partialNameBytes = 200;
inline std::string partialOutputPrefix(std::string_view outputName)
{
    return "." + std::string(outputName.substr(0, partialNameBytes)) + ".conv-";
}

} // namespace convcontract
