// One show on the web page: its settings, the screen buffer the canvas
// shows, and the pixels of what changed (RGBA rows at device pixels) that
// the page puts on the canvas after each step.
#pragma once

#include <cstdint>
#include <vector>

#include "core/picture/pixel_rect.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "raster/raster_painter.h"
#include "raster/screen_buffer.h"

struct WebShow {
  Show show;
  SaverSettings settings;
  ScreenBuffer screen;
  RasterDrawing drawing;
  int32_t canvasWidth = 0;
  int32_t canvasHeight = 0;
  // The changed rectangle of the canvas as RGBA rows of its own width.
  std::vector<uint8_t> changed;
  bool erase = false;  // the whole canvas is to be blacked out first
};

// The canvas's bytes R, G, B, A (opaque) read as one little-endian word.
PixelFormat canvasFormat();

// A show with the saver's default settings, its text on the page's font.
WebShow* newWebShow();

// Lays the show out on a canvas of that many device pixels: the screen
// rule's whole-number scale, a black canvas. False when the memory for the
// show's screen cannot be had.
bool layOut(WebShow& web, int32_t canvasWidth, int32_t canvasHeight);

// The first item: reads comics.ini of the settings' folder, seeds the
// random source (with the time unless a seed is given) and shows it.
void startShow(WebShow& web, bool seedGiven, uint32_t seed);

// What presenting must do: black out the whole canvas first (erase), then
// put the changed pixels at rect.
struct CanvasChange {
  bool erase = false;
  PixelRect rect;
};

// What changed on the show since the last call, enlarged into the changed
// pixels. The page blacks out the canvas itself, which costs far less
// than putting a black canvas on it.
CanvasChange present(WebShow& web);

// Where F1's picture stands on the canvas: the item last drawn. Empty while
// a popup shows or when there is no show, as the savers do nothing then.
PixelRect screenshotArea(const WebShow& web);
