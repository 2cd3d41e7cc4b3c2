// The text box as the show uses it: a text refused as out of bounds is
// reported on the error display.
#pragma once

#include <cstdint>

#include "core/picture/painter.h"

struct Show;

// Image mode into target, or screen mode when screenMode is set (target
// is then unused). False when the text was refused; the error display has
// then shown "Text out of bounds.".
bool drawTextBox(Show& show, Picture* target, int32_t anchorX, int32_t top, const char* text,
                 int32_t tailX, int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound,
                 bool screenMode);
