#pragma once

#include "ControlSpec.h"
#include "LookSpec.h"

// The main window's layout: 30 controls, front-most first.
const WindowSpec &mainWindowSpec();

// The main window's skinned controls and their hover reset order.
const SkinSpec &mainSkinSpec();

// The progress bar's design values in twips (15 to a pixel). Pixels cannot
// hold them all (230 twips is 15.33 px), so the progress code computes in
// twips from these and shows the result in pixels.
struct ProgressTrackTwips {
    float leftCapLeft;
    float leftCapWidth;
    float rightCapWidth;
    float trackEnd; // the right cap's left edge at 100 %
};
inline constexpr ProgressTrackTwips progressTrackTwips{230.0f, 75.0f, 75.0f, 3250.0f};
inline constexpr float twipsPerPixel = 15.0f;

// What start-up sets that the layout leaves open: the option lists come
// without a selection and the version label without its colour.
struct MainStartUp {
    int bitRateIndex;
    int sampleRateIndex;
    int channelIndex;
    QRgb versionColour;
};
inline constexpr MainStartUp mainStartUp{7, 1, 1, qRgb(180, 235, 225)};
