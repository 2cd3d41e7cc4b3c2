// Screen and speech text: bold "Comic Sans MS" where fontconfig has it,
// else Comic Neue Bold, rendered by FreeType as white text without
// smoothing, as the Windows saver's default-quality fonts draw it.
#pragma once

#include <cstdint>

#include "core/picture/text_pixels.h"

struct Font;

// A font whose cell (ascent plus descent, the Windows metrics) is that many
// pixels high. Null when no font file can be found or read.
Font* openTextFont(int32_t cellHeight);
void closeTextFont(Font* font);

// Width and height of a line: the sum of the advances, and the cell height.
void measureTextLine(Font* font, const char* text, int32_t length, int32_t* width, int32_t* height);

// White text on no background, the top-left of its cell at x, y; what falls
// outside target is left out.
void drawTextLine(Font* font, const textpixels::Surface& target, int32_t x, int32_t y,
                  const char* text, int32_t length);

// The font file in use, for the log and the tests; empty when none.
const char* textFontFile();

// Lets go of the library at the end (also run at exit).
void releaseTextFonts();
