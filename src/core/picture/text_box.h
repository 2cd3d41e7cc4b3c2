// The one text routine: screen mode (white text on the screen) and image
// mode (smoothed black text and a speech tail written into an Image).
#pragma once

#include <cstdint>

class Image;

// False when the text was refused as out of bounds (the error display has
// then been shown); true otherwise, also when nothing could be drawn.
bool drawTextBox(Image* target, int32_t anchorX, int32_t top, const char* text, int32_t tailX,
                 int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound,
                 bool screenMode);
