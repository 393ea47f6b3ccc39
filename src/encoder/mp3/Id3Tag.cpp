#include "Id3Tag.h"

#include "ContainerTags.h"

std::string makeId3v2Tag(const AudioReader &input)
{
    TagFrames frames = readContainerTags(input.bytes(), input.length());
    // Fields the container reading above already found are kept.
    const AudioTags tags = input.tags();
    frames.addText("TIT2", tags.title);
    frames.addText("TPE1", tags.artist);
    frames.addText("TALB", tags.album);
    frames.addText("TDRC", tags.date);
    frames.addText("TRCK", tags.track);
    frames.addText("TCON", tags.genre);
    frames.addText("TCOP", tags.copyright);
    frames.addText("TSSE", tags.software);
    frames.addComment("", tags.comment);
    return frames.id3v2();
}
