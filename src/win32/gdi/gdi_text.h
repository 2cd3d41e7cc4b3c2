// The text font through GDI: bold "Comic Sans MS" of one cell height,
// measured and written white on no background. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct GdiFont {
  HFONT font = nullptr;  // none when it could not be made: the default font is used
  HDC measure = nullptr;
  HGDIOBJ previous = nullptr;
};

// Made anew for each text; a font that cannot be made logs the system's
// error number.
GdiFont* openGdiFont(int32_t cellHeight);
// Deleting a font that the system refuses (or that was never made) is
// logged.
void closeGdiFont(GdiFont* font);
void measureGdiText(const GdiFont* font, const char* text, int32_t length, int32_t* width,
                    int32_t* height);
// The full name of the font the system really draws with, which may be a
// stand-in for the one asked for; empty when it cannot say.
std::string gdiFontName(const GdiFont* font);
void drawGdiText(const GdiFont* font, HDC target, int32_t x, int32_t y, const char* text,
                 int32_t length);
