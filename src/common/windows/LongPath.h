#pragma once

// For the Windows files of conv and the program alike. Text only (no
// Win32 call), so that its rules are checked as data on every build.
#include <cwctype>
#include <string>
#include <vector>

namespace longpath {

// Windows refuses plain paths of MAX_PATH (260) characters and more unless
// long paths are enabled machine-wide (off by default), whatever the
// manifest says; folders are limited 12 characters sooner.
constexpr std::size_t plainLimit = 260 - 12;

namespace detail {

inline bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
inline bool isDrive(const std::wstring &p) { return p.size() >= 2 && p[1] == L':' && std::iswalpha(p[0]); }
inline bool sameLetter(wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); }

// Splits an absolute path (drive or UNC) into its root ("C:" or
// "\\server\share") and the rest.
inline void splitRoot(const std::wstring &path, std::wstring &root, std::wstring &rest)
{
    if (isDrive(path)) {
        root = path.substr(0, 2);
        rest = path.substr(2);
        return;
    }
    // \\server\share: the two names after the leading separators.
    std::size_t at = 2;
    for (int names = 0; names < 2 && at <= path.size(); ++names) {
        while (at < path.size() && isSeparator(path[at]))
            ++at;
        while (at < path.size() && !isSeparator(path[at]))
            ++at;
    }
    root = path.substr(0, at);
    rest = path.substr(at);
}

// The root of the current folder, for a path that starts at "\".
inline std::wstring rootOf(const std::wstring &current)
{
    std::wstring root, rest;
    splitRoot(current, root, rest);
    return root;
}

} // namespace detail

// The form of `path` that Windows' file calls take at any length. A path
// of plain length is returned as it is. A longer one is made absolute
// against `current` (an absolute folder) and normalized as Windows itself
// would ("/" as "\", "." and ".." resolved, never above the root, a
// segment's single trailing period and the last one's trailing periods
// and spaces dropped), then marked "\\?\" ("\\?\UNC\" for a share), which
// tells Windows to take it as it stands.
inline std::wstring longPathForm(const std::wstring &path, const std::wstring &current)
{
    using namespace detail;
    if (path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.')
        && isSeparator(path[3]))
        return path; // already a device or verbatim path
    std::wstring full;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]))
        full = path; // \\server\share\…
    else if (isDrive(path) && path.size() >= 3 && isSeparator(path[2]))
        full = path;
    else if (isDrive(path)) // "E:name": relative to that drive's folder
        full = isDrive(current) && sameLetter(current[0], path[0]) ? current + L'\\' + path.substr(2)
                                                                    : path.substr(0, 2) + L'\\' + path.substr(2);
    else if (!path.empty() && isSeparator(path[0]))
        full = rootOf(current) + path;
    else
        full = current + L'\\' + path;

    std::wstring root, rest;
    splitRoot(full, root, rest);
    std::vector<std::wstring> segments;
    std::wstring segment;
    const bool endsInSeparator = !rest.empty() && isSeparator(rest.back());
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && !isSeparator(rest[i])) {
            segment += rest[i];
            continue;
        }
        if (segment == L"..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != L".") {
            const bool allPeriods = segment.find_first_not_of(L'.') == std::wstring::npos;
            if (!allPeriods && segment.back() == L'.' && segment[segment.size() - 2] != L'.')
                segment.pop_back();
            segments.push_back(segment);
        }
        segment.clear();
    }
    if (!endsInSeparator && !segments.empty()) {
        std::wstring &last = segments.back();
        while (!last.empty() && (last.back() == L'.' || last.back() == L' '))
            last.pop_back();
        if (last.empty())
            segments.pop_back();
    }
    for (wchar_t &c : root)
        if (c == L'/')
            c = L'\\';
    std::wstring normal = root;
    for (const std::wstring &s : segments)
        normal += L'\\' + s;
    if (segments.empty() || endsInSeparator)
        normal += L'\\';
    if (path.size() < plainLimit && normal.size() < plainLimit)
        return path;
    if (isDrive(normal))
        return L"\\\\?\\" + normal;
    return L"\\\\?\\UNC\\" + normal.substr(2);
}

} // namespace longpath
