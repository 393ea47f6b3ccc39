#pragma once

// Why a named source is no audio file to read, as conv and the program's
// copy both say it.
namespace sourcereasons {

inline constexpr char folder[] = "is a folder, not an audio file";
inline constexpr char notRegular[] = "not a regular file (a pipe, device or socket)";

} // namespace sourcereasons
