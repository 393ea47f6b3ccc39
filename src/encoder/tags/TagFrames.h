#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The tag of a result as ID3v2.4 frames, gathered from the input's tags
// in order of preference: a frame whose key is taken already is not added
// again (the first source of a field wins). A text frame's key is its id;
// a comment's, a user text's or a picture's also holds its description.
// The whole is kept below a cap, so that no input makes conv hold or
// write more than a tag reader would take.
class TagFrames {
public:
    static constexpr std::size_t maxBytes = 16u << 20;

    // A text frame (UTF-8); several values go into one frame, as ID3v2.4
    // lists them. Empty values are left out.
    void addText(std::string_view id, const std::vector<std::string> &values);
    void addText(std::string_view id, const std::string &value) { addText(id, std::vector<std::string>{value}); }
    // TXXX: a field ID3 has no frame of its own for.
    void addUserText(const std::string &description, const std::string &value);
    void addComment(const std::string &description, const std::string &text);
    void addLyrics(const std::string &text);
    // APIC: `type` is ID3's picture type (3: the front cover).
    void addPicture(const std::string &mime, int type, const std::string &description, std::string_view data);
    // A frame carried over from an ID3 tag as it is (its body already in
    // ID3v2.4's form).
    void addFrame(std::string_view id, std::string_view body);

    bool has(std::string_view key) const;
    bool empty() const { return m_frames.empty(); }
    // The ID3v2.4 tag of these frames; empty when there are none.
    std::string id3v2() const;

private:
    struct Frame {
        std::string key, id, body;
    };
    void add(std::string key, std::string_view id, std::string body);

    std::vector<Frame> m_frames;
    std::size_t m_bytes = 0;
};
