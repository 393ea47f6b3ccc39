#include "MainLayout.h"

#include <array>

namespace {

using K = ControlKind;
using S = StartState;
constexpr const char *tahoma = "Tahoma";
constexpr const char *arrowTip = QT_TRANSLATE_NOOP("frmMain", "MP3 Audio Channel(Stereo or Mono)");
constexpr const char *channelItems[] = {QT_TRANSLATE_NOOP("frmMain", "Mono"), QT_TRANSLATE_NOOP("frmMain", "Stereo")};
constexpr const char *rateItems[] = {"48000", "44100", "32000", "24000", "22050", "16000", "12050", "8000"};
constexpr const char *bitRateItems[] = {"32", "48", "56", "64", "80", "96", "112", "128", "192", "224", "256", "320"};

const std::array mainControls{
    ControlSpec{.name = "Timer1", .kind = K::Timer, .interval = 100},
    ControlSpec{.name = "picDrag", .kind = K::DropArea, .x = 238, .y = 35, .width = 143, .height = 146,
                .picture = ":/skin/main/Drag.jpg", .toolTip = QT_TRANSLATE_NOOP("frmMain", "Drag media files onto this DropZone")},
    ControlSpec{.name = "lstFile", .kind = K::List, .x = 4, .y = 4, .width = 113, .height = 88,
                .start = S::Hidden, .parent = "picDrag"},
    ControlSpec{.name = "picButtonChannel", .kind = K::PictureBox, .x = 206, .y = 104, .width = 19, .height = 19,
                .picture = ":/skin/main/Button.jpg", .toolTip = arrowTip},
    ControlSpec{.name = "picButtonR", .kind = K::PictureBox, .x = 206, .y = 56, .width = 19, .height = 19,
                .picture = ":/skin/main/Button.jpg", .toolTip = QT_TRANSLATE_NOOP("frmMain", "MP3 Audio Rate")},
    ControlSpec{.name = "picButtonBR", .kind = K::PictureBox, .x = 88, .y = 56, .width = 19, .height = 19,
                .picture = ":/skin/main/Button.jpg", .toolTip = QT_TRANSLATE_NOOP("frmMain", "MP3 Audio Bitrate")},
    ControlSpec{.name = "Timer2", .kind = K::Timer, .interval = 1000},
    ControlSpec{.name = "txtPath", .kind = K::TextField, .x = 18, .y = 150, .width = 161, .height = 23,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "Select a Folder to Output"), .readOnly = true},
    ControlSpec{.name = "cmbChannel", .kind = K::DropDownList, .x = 18, .y = 102, .width = 207, .height = 22,
                .toolTip = arrowTip, .items = channelItems},
    ControlSpec{.name = "cmbR", .kind = K::DropDownList, .x = 124, .y = 54, .width = 101, .height = 22,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "MP3 Audio Rate"),
                .items = rateItems},
    ControlSpec{.name = "cmbBR", .kind = K::DropDownList, .x = 18, .y = 54, .width = 89, .height = 22,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "MP3 Audio Bitrate"),
                .items = bitRateItems},
    ControlSpec{.name = "imgMinLight", .x = 488, .y = 236, .width = 14, .height = 14, .start = S::Outside,
                .picture = ":/skin/main/MinLight.jpg"},
    ControlSpec{.name = "imgMin", .x = 349, .y = 9, .width = 14, .height = 14,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "Minimize Window"), .hand = true},
    ControlSpec{.name = "lblVersion", .kind = K::Label, .x = 78, .y = 10, .width = 80, .height = 14},
    ControlSpec{.name = "imgDragLight", .x = 60, .y = 276, .width = 143, .height = 146, .start = S::Outside,
                .picture = ":/skin/main/DragLight.jpg"},
    ControlSpec{.name = "imgDrag", .x = 54, .y = 356, .width = 143, .height = 146, .start = S::Outside,
                .picture = ":/skin/main/Drag.jpg"},
    ControlSpec{.name = "imgBrowseDark", .x = 392, .y = 354, .width = 42, .height = 22, .start = S::Outside,
                .picture = ":/skin/main/BrowseDark.jpg"},
    ControlSpec{.name = "imgBrowseLight", .x = 370, .y = 308, .width = 42, .height = 22, .start = S::Outside,
                .picture = ":/skin/main/BrowseLight.jpg"},
    ControlSpec{.name = "imgBrowse", .x = 182, .y = 150, .width = 42, .height = 22,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "Select an Output Folder")},
    ControlSpec{.name = "imgButtonLight", .x = 286, .y = 316, .width = 18, .height = 18, .start = S::Outside,
                .picture = ":/skin/main/ButtonLight.jpg"},
    ControlSpec{.name = "imgButton", .x = 198, .y = 318, .width = 18, .height = 18, .start = S::Outside,
                .picture = ":/skin/main/Button.jpg"},
    ControlSpec{.name = "imgExitLight", .x = 278, .y = 254, .width = 14, .height = 13, .start = S::Outside,
                .picture = ":/skin/main/ExitLight.jpg"},
    ControlSpec{.name = "imgHelpLight", .x = 392, .y = 268, .width = 12, .height = 17, .start = S::Outside,
                .picture = ":/skin/main/HelpLight.jpg"},
    ControlSpec{.name = "lblPb", .kind = K::Label, .x = 111, .y = 194, .width = 20, .height = 14,
                .text = "0%", .hasColour = true, .colour = qRgb(255, 255, 255), .centred = true},
    ControlSpec{.name = "imgPB", .x = 19, .y = 195, .width = 1, .height = 14, .start = S::Hidden,
                .picture = ":/skin/main/PB.jpg", .stretch = true},
    ControlSpec{.name = "imgPBRight", .x = 217, .y = 195, .width = 5, .height = 14, .start = S::Hidden,
                .picture = ":/skin/main/PBRight.jpg"},
    ControlSpec{.name = "imgPBLeft", .x = 15, .y = 195, .width = 5, .height = 14, .start = S::Hidden,
                .picture = ":/skin/main/PBLeft.jpg"},
    ControlSpec{.name = "imgHelp", .x = 332, .y = 8, .width = 15, .height = 15,
                .toolTip = QT_TRANSLATE_NOOP("frmMain", "Help & Tutorial"), .hand = true},
    ControlSpec{.name = "imgExit", .x = 369, .y = 10, .width = 15, .height = 15, .toolTip = QT_TRANSLATE_NOOP("frmMain", "Exit"), .hand = true},
    ControlSpec{.name = "lblFeed", .kind = K::Label, .x = 328, .y = 196, .width = 46, .height = 13,
                .text = QT_TRANSLATE_NOOP("frmMain", "Feedback"), .toolTip = QT_TRANSLATE_NOOP("frmMain", "Send us your suggestion or question"), .hand = true,
                .font = {.family = tahoma, .pointSize = 8.25, .underline = true},
                .hasColour = true, .colour = qRgb(0, 0, 0)},
};
static_assert(mainControls.size() == 30, "the main window has 30 controls");

// Every visible control a keyboard can use, in reading order; the arrow
// boxes only repeat what the lists do with the keyboard.
constexpr const char *mainTabOrder[] = {"cmbBR", "cmbR",   "cmbChannel", "txtPath", "imgBrowse",
                                        "picDrag", "lblFeed", "imgHelp", "imgMin", "imgExit"};
constexpr AccessibleSpec mainAccessible[] = {
    {"cmbBR", QT_TRANSLATE_NOOP("frmMain", "Bit rate (kbit/s)")},
    {"cmbR", QT_TRANSLATE_NOOP("frmMain", "Sample rate (Hz)")},
    {"cmbChannel", QT_TRANSLATE_NOOP("frmMain", "Channels")},
    {"txtPath", QT_TRANSLATE_NOOP("frmMain", "Output folder")},
    {"imgBrowse", QT_TRANSLATE_NOOP("frmMain", "Choose the output folder")},
    {"picDrag", QT_TRANSLATE_NOOP("frmMain", "Add WAV files"), QT_TRANSLATE_NOOP("frmMain", "Drop WAV files here, or press Enter to choose them")},
    {"picButtonBR", QT_TRANSLATE_NOOP("frmMain", "Open the bit rate list")},
    {"picButtonR", QT_TRANSLATE_NOOP("frmMain", "Open the sample rate list")},
    {"picButtonChannel", QT_TRANSLATE_NOOP("frmMain", "Open the channel list")},
    {"lblFeed", QT_TRANSLATE_NOOP("frmMain", "Send feedback"), QT_TRANSLATE_NOOP("frmMain", "Opens a window to send the maker your comment")},
    {"imgHelp", QT_TRANSLATE_NOOP("frmMain", "Help")},
    {"imgMin", QT_TRANSLATE_NOOP("frmMain", "Minimise")},
    {"imgExit", QT_TRANSLATE_NOOP("frmMain", "Close"), QT_TRANSLATE_NOOP("frmMain", "Ends Tolvik; a running batch is stopped")},
    {"lblPb", nullptr, QT_TRANSLATE_NOOP("frmMain", "Progress of the batch")},
    {"lstFile", QT_TRANSLATE_NOOP("frmMain", "Files waiting to be converted")},
};

const WindowSpec mainSpec{
    .name = "frmMain",
    .title = QT_TRANSLATE_NOOP("frmMain", "Tolvik"),
    .clientWidth = 395,
    .clientHeight = 219,
    .background = ":/skin/main/Background.bmp",
    .icon = ":/skin/main/Icon.ico",
    .font = {.family = tahoma, .pointSize = 9},
    .controls = mainControls,
    .tabOrder = mainTabOrder,
    .accessible = mainAccessible,
};

using L = LookKind;
const std::array mainLooks{
    LookSpec{"imgBrowse", L::HotSpot, "imgBrowseLight", "imgBrowseDark"},
    LookSpec{"imgMin", L::HotSpot, "imgMinLight"},
    LookSpec{"imgExit", L::HotSpot, "imgExitLight"},
    LookSpec{"imgHelp", L::HotSpot, "imgHelpLight"},
    LookSpec{"picButtonBR", L::PictureButton, "imgButtonLight", nullptr, "imgButton"},
    LookSpec{"picButtonR", L::PictureButton, "imgButtonLight", nullptr, "imgButton"},
    LookSpec{"picButtonChannel", L::PictureButton, "imgButtonLight", nullptr, "imgButton"},
    LookSpec{"lblFeed", L::TextLink},
};
constexpr const char *mainResetOrder[] = {"lblFeed", "imgHelp", "imgExit", "picButtonChannel",
                                          "picButtonR", "picButtonBR", "imgBrowse", "imgMin"};
static_assert(std::size(mainResetOrder) == mainLooks.size(), "the reset covers every skinned control");

const SkinSpec mainSkin{mainLooks, mainResetOrder};

} // namespace

const SkinSpec &mainSkinSpec()
{
    return mainSkin;
}

const WindowSpec &mainWindowSpec()
{
    return mainSpec;
}
