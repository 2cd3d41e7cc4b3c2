// Pictures in memory (the core's Picture) of the Linux saver and the web
// page: 24-bit bottom-up BGR rows, the layout of the Windows saver's DIB
// sections, loaded from the data folder with that saver's log lines.
#pragma once

#include <cstdint>

#include "core/picture/pixel_rect.h"
#include "core/picture/text_pixels.h"

struct Picture {
  Picture() = default;
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  textpixels::Surface surface() const;

  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  uint8_t* pixels = nullptr;  // owned unless borrowed; null when failed
  bool failed = true;
  // A view of the screen's pixels (a screen area), not its own.
  bool borrowed = false;
  PixelRect area;
};

// The named picture of the folder, PCX or BMP by its ending (matched in
// any case, opened with the ending in lower case, as the Windows saver
// does). Null when there is no memory for it; otherwise failed tells
// whether it loaded, and the cause is in the log.
Picture* loadPicture(const char* folder, const char* name);

// A black picture of that size; failed (and logged as the Windows saver
// logs a refused DIB section) for a size below 1 or too large, with the
// size asked for all the same.
Picture* createPicture(int32_t width, int32_t height);

// Copies source onto target with its top-left at x, y, mirrored left to
// right when asked; what falls outside target is left out.
void copyPicture(const textpixels::Surface& source, const textpixels::Surface& target, int32_t x,
                 int32_t y, bool mirrored);

// Blacks out a rectangle of target, clipped to it.
void fillBlack(const textpixels::Surface& target, int32_t x, int32_t y, int32_t width,
               int32_t height);
