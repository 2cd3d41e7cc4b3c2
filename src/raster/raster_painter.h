// A Painter over pictures in memory: the screen is a screen buffer that the
// front end puts on its window, text comes from a font table the front end
// gives (FreeType on Linux, the browser's canvas on the web page), sound
// through a function of its own. No window system here, so that the whole
// show runs in the native tests.
#pragma once

#include <cstdint>

#include "core/picture/painter.h"
#include "core/picture/text_pixels.h"
#include "raster/screen_buffer.h"

struct Show;

// The front end's speech font, bold, by cell height (see painter.h).
struct TextFace {
  Font* (*open)(int32_t cellHeight) = nullptr;
  void (*close)(Font* font) = nullptr;
  void (*measure)(Font* font, const char* text, int32_t length, int32_t* width,
                  int32_t* height) = nullptr;
  void (*draw)(Font* font, const textpixels::Surface& target, int32_t x, int32_t y,
               const char* text, int32_t length) = nullptr;
};

struct RasterDrawing {
  Show* show = nullptr;  // its data folder
  ScreenBuffer* screen = nullptr;
  TextFace text;
  // Plays a popup's sound, given the path with slashes; null is silence.
  void (*playSound)(const char* path) = nullptr;
};

// The table for a show; drawing keeps the state behind it.
Painter rasterPainter(RasterDrawing* drawing);
