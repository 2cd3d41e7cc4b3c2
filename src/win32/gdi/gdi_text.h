// The text font through GDI: bold "Comic Sans MS" of one cell height,
// measured and written white on no background. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

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
void drawGdiText(const GdiFont* font, HDC target, int32_t x, int32_t y, const char* text,
                 int32_t length);
