#pragma once

#include "ControlSpec.h"

// The main window's layout: 30 controls, front-most first.
const WindowSpec &mainWindowSpec();
