#pragma once

#include <span>

// The looks of a window's skinned controls: which holder image carries
// each control's hover (and press) look, and the order in which the hover
// reset brings the resting looks back.
enum class LookKind {
    HotSpot,       // an image element over a painted glyph: empty at rest
    PictureButton, // a picture box showing its own resting picture
    TextLink,      // a label: bold on hover
};

struct LookSpec {
    const char *control;
    LookKind kind;
    const char *hover = nullptr; // holder of the hover look
    const char *press = nullptr; // holder of the press look
    const char *rest = nullptr;  // holder of the resting look (picture buttons)
};

struct SkinSpec {
    std::span<const LookSpec> looks;
    std::span<const char *const> resetOrder;
};
