// Show state shared by the sequencer, strip composition, the error display,
// the screenshot writer and the saver window.
#pragma once

#include <cstdint>

#include "core/show/screen_layout.h"

// In the show's coordinates, which the screen enlarges by its scale.
using DrawnRect = PixelRect;

// Screen size in pixels, recorded by initShow.
extern int32_t screenWidth;
extern int32_t screenHeight;

// Show timing and the logo cycle (written by the sequencer; comicsSinceLogo
// is also reset by initShow).
extern int32_t tickCount;
extern int32_t tickTarget;
extern int32_t comicsSinceLogo;
// The last step showed a popup.
extern bool popupShowing;
// Where the item last drawn stands on the screen.
extern DrawnRect lastDrawnRect;
