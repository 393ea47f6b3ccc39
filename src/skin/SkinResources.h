#pragma once

// Registers the skin's embedded pictures; safe to call more than once.
void initSkinResources();
