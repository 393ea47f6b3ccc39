#pragma once

#include "ControlSpec.h"
#include "LookSpec.h"

// The feedback window's layout: 13 controls, front-most first.
const WindowSpec &feedbackWindowSpec();

// Its skinned controls and their hover reset order.
const SkinSpec &feedbackSkinSpec();
