#pragma once

#include <QRgb>

#include <span>

// One row of a window's layout table: everything a control is created
// with. Geometry is in pixels at 96 dpi, relative to the parent.
enum class ControlKind {
    Timer,
    PictureBox,
    DropArea,
    List,
    DropDownList,
    TextField,
    ImageElement,
    Label,
    CommandButton,
    RequestCarrier, // an invisible, non-widget helper object
};

enum class StartState { Shown, Hidden, Outside };

struct FontSpec {
    const char *family = nullptr; // nullptr: the window's font
    double pointSize = 0;
    bool bold = false;
    bool underline = false;
};

struct ControlSpec {
    const char *name = nullptr;
    ControlKind kind = ControlKind::ImageElement;
    int x = 0, y = 0, width = 0, height = 0;
    StartState start = StartState::Shown;
    const char *picture = nullptr; // resource path of the picture at start
    const char *text = nullptr;    // caption or field text
    const char *toolTip = nullptr;
    bool hand = false;             // the skin's hand cursor
    bool stretch = false;          // image element scales its picture
    FontSpec font{};
    bool hasColour = false;
    QRgb colour = 0;
    bool centred = false;
    int interval = 0;              // timers, in ms
    std::span<const char *const> items{};
    int maxLength = 0;             // text fields; 0 = no limit
    bool readOnly = false;
    const char *parent = nullptr;  // nullptr: the window itself
};

// Kinds whose objects the window using the skin makes (SkinBuilder's
// factory): they belong to the features above the skin.
constexpr bool isWindowsOwn(ControlKind kind)
{
    return kind == ControlKind::DropArea || kind == ControlKind::RequestCarrier;
}

// Child-window kinds lie above windowless elements, whatever the order.
constexpr bool isChildWindow(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PictureBox:
    case ControlKind::DropArea:
    case ControlKind::List:
    case ControlKind::DropDownList:
    case ControlKind::TextField:
    case ControlKind::CommandButton:
        return true;
    default:
        return false;
    }
}

// What a screen reader says of a control: its name and, where useful, a
// description of what it does.
struct AccessibleSpec {
    const char *control;
    const char *name;
    const char *description = nullptr;
};

struct WindowSpec {
    const char *name;
    const char *title;
    int clientWidth, clientHeight;
    const char *background; // resource path of the background bitmap
    const char *icon;
    FontSpec font;
    std::span<const ControlSpec> controls; // front-most first
    std::span<const char *const> tabOrder; // controls that take the focus, in reading order
    std::span<const AccessibleSpec> accessible{};
};
