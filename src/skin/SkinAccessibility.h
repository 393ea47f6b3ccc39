#pragma once

// Makes the skinned windows readable by screen readers: picture controls
// as buttons, text links as links, the lists named for what they set,
// the windows without their decorations, and spoken statuses as
// notifications. Installed once, before the first window is shown.
void installSkinAccessibility();
