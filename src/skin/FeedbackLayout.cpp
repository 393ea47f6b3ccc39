#include "FeedbackLayout.h"

#include <array>

namespace {

using K = ControlKind;
using S = StartState;
constexpr const char *tahoma = "Tahoma";

const std::array feedbackControls{
    ControlSpec{.name = "Command2", .kind = K::CommandButton, .x = 278, .y = 64, .width = 85, .height = 27,
                .start = S::Hidden, .text = QT_TRANSLATE_NOOP("frmSuggest", "Back")},
    ControlSpec{.name = "Command1", .kind = K::CommandButton, .x = 278, .y = 34, .width = 85, .height = 27,
                .start = S::Hidden, .text = QT_TRANSLATE_NOOP("frmSuggest", "Send")},
    ControlSpec{.name = "wb", .kind = K::RequestCarrier, .x = 396, .y = 96, .width = 11, .height = 7,
                .start = S::Outside},
    ControlSpec{.name = "txtComment", .kind = K::TextField, .x = 110, .y = 102, .width = 189, .height = 21,
                .maxLength = 256},
    ControlSpec{.name = "txtEMail", .kind = K::TextField, .x = 110, .y = 76, .width = 141, .height = 21,
                .toolTip = QT_TRANSLATE_NOOP("frmSuggest", "Email"), .maxLength = 100},
    ControlSpec{.name = "txtName", .kind = K::TextField, .x = 110, .y = 50, .width = 141, .height = 21,
                .toolTip = QT_TRANSLATE_NOOP("frmSuggest", "Your Name"), .maxLength = 50},
    ControlSpec{.name = "imgBackLight", .x = 340, .y = 244, .width = 58, .height = 18, .start = S::Outside,
                .picture = ":/skin/feedback/BackLight.jpg"},
    ControlSpec{.name = "imgSendLight", .x = 200, .y = 236, .width = 58, .height = 18, .start = S::Outside,
                .picture = ":/skin/feedback/SendLight.jpg"},
    ControlSpec{.name = "imgBack", .x = 246, .y = 136, .width = 58, .height = 18, .toolTip = QT_TRANSLATE_NOOP("frmSuggest", "back to main"),
                .hand = true},
    ControlSpec{.name = "imgSend", .x = 166, .y = 136, .width = 58, .height = 18,
                .toolTip = QT_TRANSLATE_NOOP("frmSuggest", "Send your feedback now"), .hand = true},
    ControlSpec{.name = "imgExitLight", .x = 382, .y = 212, .width = 14, .height = 13, .start = S::Outside,
                .picture = ":/skin/feedback/ExitLight.jpg"},
    ControlSpec{.name = "imgExit", .x = 300, .y = 11, .width = 15, .height = 15, .toolTip = QT_TRANSLATE_NOOP("frmSuggest", "Exit"), .hand = true},
    ControlSpec{.name = "lblSending", .kind = K::Label, .x = 48, .y = 138, .width = 70, .height = 14,
                .start = S::Hidden, .text = QT_TRANSLATE_NOOP("frmSuggest", "Your Email?"), .font = {.family = tahoma, .pointSize = 9, .bold = true},
                .hasColour = true, .colour = qRgb(255, 255, 255), .centred = true},
};
static_assert(feedbackControls.size() == 13, "the feedback window has 13 controls");

constexpr const char *feedbackTabOrder[] = {"txtName", "txtEMail", "txtComment", "imgSend", "imgBack", "imgExit"};
constexpr AccessibleSpec feedbackAccessible[] = {
    {"txtName", QT_TRANSLATE_NOOP("frmSuggest", "Your name")},
    {"txtEMail", QT_TRANSLATE_NOOP("frmSuggest", "Your e-mail address")},
    {"txtComment", QT_TRANSLATE_NOOP("frmSuggest", "Comment")},
    {"imgSend", QT_TRANSLATE_NOOP("frmSuggest", "Send feedback")},
    {"imgBack", QT_TRANSLATE_NOOP("frmSuggest", "Back to the main window")},
    {"imgExit", QT_TRANSLATE_NOOP("frmSuggest", "Close")},
    {"lblSending", nullptr, QT_TRANSLATE_NOOP("frmSuggest", "What became of the feedback")},
};

const WindowSpec feedbackSpec{
    .name = "frmSuggest",
    .title = QT_TRANSLATE_NOOP("frmSuggest", "FeedBack"),
    .clientWidth = 327,
    .clientHeight = 177,
    .background = ":/skin/feedback/Background.bmp",
    .icon = ":/skin/feedback/Icon.ico",
    .font = {.family = tahoma, .pointSize = 9},
    .controls = feedbackControls,
    .tabOrder = feedbackTabOrder,
    .accessible = feedbackAccessible,
};

using L = LookKind;
const std::array feedbackLooks{
    LookSpec{"imgSend", L::HotSpot, "imgSendLight"},
    LookSpec{"imgBack", L::HotSpot, "imgBackLight"},
    LookSpec{"imgExit", L::HotSpot, "imgExitLight"},
};
constexpr const char *feedbackResetOrder[] = {"imgExit", "imgBack", "imgSend"};
static_assert(std::size(feedbackResetOrder) == feedbackLooks.size(), "the reset covers every skinned control");

const SkinSpec feedbackSkin{feedbackLooks, feedbackResetOrder};

} // namespace

const WindowSpec &feedbackWindowSpec()
{
    return feedbackSpec;
}

const SkinSpec &feedbackSkinSpec()
{
    return feedbackSkin;
}
