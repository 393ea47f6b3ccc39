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

// Whether Windows' plain-path rules would change this name, so that a
// plain path could not reach the entry so named: a trailing period or
// space is dropped, and a device's name (with any extension) is the device.
inline bool plainFormChanges(const std::wstring &segment)
{
    if (segment.empty() || segment == L"." || segment == L"..")
        return false;
    if (segment.back() == L'.' || segment.back() == L' ')
        return true;
    std::wstring base = segment.substr(0, segment.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t &c : base)
        c = static_cast<wchar_t>(std::towupper(c));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" || base == L"CONOUT$")
        return true;
    if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0)) {
        const wchar_t n = base[3];
        return (n >= L'0' && n <= L'9') || n == L'\u00b9' || n == L'\u00b2' || n == L'\u00b3';
    }
    return false;
}

} // namespace detail

// The form of `path` that Windows' file calls take to reach exactly the
// entries it names, at any length. A path of plain length whose names the
// plain rules leave alone is returned as it is. Any other (longer, or
// with a name such as "x.wav.", "y.wav " or "AUX.wav", which a listing
// finds and a plain path would trim or take for a device) is made
// absolute against `current` (an absolute folder) and normalized ("/" as
// "\", "." and ".." resolved, never above the root, every name kept as it
// is), then marked "\\?\" ("\\?\UNC\" for a share), which tells Windows to
// take it as it stands.
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
    bool exactNames = false;
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
            exactNames = exactNames || plainFormChanges(segment);
            segments.push_back(segment);
        }
        segment.clear();
    }
    for (wchar_t &c : root)
        if (c == L'/')
            c = L'\\';
    std::wstring normal = root;
    for (const std::wstring &s : segments)
        normal += L'\\' + s;
    if (segments.empty() || endsInSeparator)
        normal += L'\\';
    if (path.size() < plainLimit && normal.size() < plainLimit && !exactNames)
        return path;
    if (isDrive(normal))
        return L"\\\\?\\" + normal;
    return L"\\\\?\\UNC\\" + normal.substr(2);
}

} // namespace longpath
