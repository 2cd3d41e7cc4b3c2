// F1 in the Linux saver: the item on the screen, as the window shows it,
// saved as the next free shotNNNN.bmp of a folder. Portable.
#pragma once

#include <string>

#include "core/show/screen_layout.h"
#include "raster/screen_buffer.h"

// Saves rect (show coordinates) of the screen, enlarged by its scale, in
// folder, which is made when missing. A folder that cannot be made or
// written is logged as the Windows saver logs it; an empty rectangle gives
// the headers alone. Returns the file written, or empty.
std::string saveScreenshot(const ScreenBuffer& screen, const PixelRect& rect,
                           const std::string& folder);
