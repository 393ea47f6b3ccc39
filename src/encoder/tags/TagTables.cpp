#include "TagTables.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

struct Named {
    std::string_view name;
    TagField field;
};

// Names used by the common writers (Windows, ffmpeg, Adobe, Steinberg,
// Mp3tag); ITCH (technician) is who encoded it, as ffmpeg reads it.
constexpr Named infoFields[] = {
    {"INAM", {"TIT2", {}}}, {"IART", {"TPE1", {}}}, {"IPRD", {"TALB", {}}}, {"ICRD", {"TDRC", {}}},
    {"IGNR", {"TCON", {}}}, {"ICMT", {"COMM", {}}}, {"ITRK", {"TRCK", {}}}, {"IPRT", {"TRCK", {}}},
    {"IFRM", {"TPOS", {}}}, {"ICOP", {"TCOP", {}}}, {"ISFT", {"TSSE", {}}}, {"IENC", {"TENC", {}}},
    {"ITCH", {"TENC", {}}}, {"IMUS", {"TCOM", {}}}, {"ICMP", {"TCOM", {}}}, {"IWRI", {"TEXT", {}}},
    {"ILNG", {"TLAN", {}}}, {"IBPM", {"TBPM", {}}}, {"IPUB", {"TPUB", {}}}, {"ISRC", {"TXXX", "Source"}},
    {"IKEY", {"TXXX", "Keywords"}}, {"ISBJ", {"TXXX", "Subject"}}, {"IENG", {"TXXX", "Engineer"}},
    {"IARL", {"TXXX", "Archival location"}}, {"ICMS", {"TXXX", "Commissioned"}}, {"IMED", {"TXXX", "Medium"}},
    {"ISRF", {"TXXX", "Source form"}}, {"IPRO", {"TXXX", "Producer"}}, {"IDIT", {"TDRC", {}}},
    // AIFF's text chunks.
    {"NAME", {"TIT2", {}}}, {"AUTH", {"TPE1", {}}}, {"(c) ", {"TCOP", {}}}, {"ANNO", {"COMM", {}}},
};

constexpr Named vorbisFields[] = {
    {"TITLE", {"TIT2", {}}}, {"VERSION", {"TIT3", {}}}, {"SUBTITLE", {"TIT3", {}}}, {"ALBUM", {"TALB", {}}},
    {"ARTIST", {"TPE1", {}}}, {"ALBUMARTIST", {"TPE2", {}}}, {"ALBUM ARTIST", {"TPE2", {}}},
    {"CONDUCTOR", {"TPE3", {}}}, {"REMIXER", {"TPE4", {}}}, {"COMPOSER", {"TCOM", {}}}, {"LYRICIST", {"TEXT", {}}},
    {"GENRE", {"TCON", {}}}, {"DATE", {"TDRC", {}}}, {"YEAR", {"TDRC", {}}}, {"ORIGINALDATE", {"TDOR", {}}},
    {"COPYRIGHT", {"TCOP", {}}}, {"ORGANIZATION", {"TPUB", {}}}, {"LABEL", {"TPUB", {}}},
    {"PUBLISHER", {"TPUB", {}}}, {"ENCODED-BY", {"TENC", {}}}, {"ENCODED_BY", {"TENC", {}}}, {"ENCODEDBY", {"TENC", {}}},
    {"ENCODER", {"TSSE", {}}}, {"ISRC", {"TSRC", {}}}, {"BPM", {"TBPM", {}}}, {"LANGUAGE", {"TLAN", {}}},
    {"MOOD", {"TMOO", {}}}, {"GROUPING", {"TIT1", {}}}, {"COMMENT", {"COMM", {}}}, {"DESCRIPTION", {"COMM", {}}},
    {"LYRICS", {"USLT", {}}}, {"UNSYNCEDLYRICS", {"USLT", {}}}, {"TRACKNUMBER", {"TRCK", {}}},
    {"DISCNUMBER", {"TPOS", {}}},
};

template <std::size_t N>
const TagField *find(const Named (&table)[N], std::string_view name)
{
    const auto it = std::find_if(std::begin(table), std::end(table), [name](const Named &row) { return row.name == name; });
    return it == std::end(table) ? nullptr : &it->field;
}

// ID3v1's genres, with Winamp's additions that every reader knows.
constexpr std::string_view genres[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal", "New Age",
    "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial", "Alternative", "Ska",
    "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion",
    "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock",
    "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic",
    "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave",
    "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro",
    "Musical", "Rock & Roll", "Hard Rock", "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob",
    "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech",
    "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire",
    "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall"};

} // namespace

const TagField *infoField(std::string_view chunkId)
{
    return find(infoFields, chunkId);
}

TagField vorbisField(std::string_view name)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    if (const TagField *field = find(vorbisFields, upper))
        return *field;
    return {"TXXX", name};
}

std::string id3v23FrameName(std::string_view id)
{
    // 2.4 made the dates one; the rest of 2.3's removed frames go.
    if (id == "TYER")
        return "TDRC";
    if (id == "TORY")
        return "TDOR";
    if (id == "IPLS")
        return "TIPL";
    if (id == "TDAT" || id == "TIME" || id == "TRDA" || id == "TSIZ" || id == "RVAD" || id == "EQUA")
        return {};
    return std::string(id);
}

std::string id3v22FrameName(std::string_view id)
{
    static constexpr std::string_view names[][2] = {
        {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"},
        {"TP4", "TPE4"}, {"TAL", "TALB"}, {"TRK", "TRCK"}, {"TPA", "TPOS"}, {"TYE", "TDRC"}, {"TCO", "TCON"},
        {"TCM", "TCOM"}, {"TXT", "TEXT"}, {"TCR", "TCOP"}, {"TEN", "TENC"}, {"TSS", "TSSE"}, {"TPB", "TPUB"},
        {"TBP", "TBPM"}, {"TLA", "TLAN"}, {"TRC", "TSRC"}, {"TXX", "TXXX"}, {"COM", "COMM"}, {"ULT", "USLT"},
        {"PIC", "APIC"}};
    for (const auto &row : names) {
        if (row[0] == id)
            return std::string(row[1]);
    }
    return {};
}

std::string id3v1Genre(int number)
{
    return number >= 0 && number < int(std::size(genres)) ? std::string(genres[number]) : std::string();
}
