#pragma once

#include "ControlSpec.h"
#include "LookSpec.h"

// The main window's layout: 30 controls, front-most first.
const WindowSpec &mainWindowSpec();

// The main window's skinned controls and their hover reset order.
const SkinSpec &mainSkinSpec();
