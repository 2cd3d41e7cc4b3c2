// The decisions of one show step (timing, logo cycle, popup chance, the
// weighted choice of group, type and entry, and every random draw in order),
// kept apart from the drawing so that they run anywhere. The drawing comes
// in through a table of functions; show_sequencer_win32.cpp gives the real one.
#pragma once

#include <cstdint>

struct ShowDrawing {
  // Opens a picture of the data folder. Null when there is no memory for
  // it; otherwise *failed says whether the file loaded, and *width and
  // *height give its size.
  void* (*openPicture)(const char* name, bool* failed, int32_t* width, int32_t* height);
  void (*drawPicture)(void* picture, int32_t x, int32_t y, bool mirrored);
  // Releases and discards what openPicture gave.
  void (*closePicture)(void* picture);
  void (*eraseScreen)();
  // A popup caption on the screen, centred on anchorX.
  void (*drawCaption)(int32_t anchorX, int32_t top, const char* text);
  // The error display, with the screen blacked out first.
  void (*showError)(const char* message);
  void (*showStrip)(const char* templatePath);
  void (*playSound)(const char* path);
};

void advanceWith(const ShowDrawing& drawing, bool force);
