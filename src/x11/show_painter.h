// The Linux saver's Painter: pictures in memory, the screen as the screen
// buffer (which the X window shows), FreeType text, and sound through a
// function the program gives. No X11 here, so that the whole show runs in
// the native tests.
#pragma once

#include "core/picture/painter.h"
#include "x11/screen_buffer.h"

struct Show;

struct LinuxDrawing {
  Show* show = nullptr;  // its data folder
  ScreenBuffer* screen = nullptr;
  // Plays a popup's sound; null is silence.
  void (*playSound)(const char* path) = nullptr;
};

// The table for a show; drawing keeps the state behind it.
Painter linuxPainter(LinuxDrawing* drawing);
