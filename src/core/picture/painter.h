// How a front end draws for the core: pictures of the data folder, blank
// surfaces, the screen, the speech font and sound. The core decides what
// goes where; a front end hands it one of these tables per show, with its
// own state behind context.
#pragma once

#include <cstdint>

#include "core/picture/pixel_rect.h"
#include "core/picture/text_pixels.h"

// A front end's picture: a loaded file, a blank surface, or an area of the
// screen that text is written into.
struct Picture;
// A front end's font: bold "Comic Sans MS" of one cell height.
struct Font;

struct PictureFacts {
  bool failed = true;
  int32_t width = 0;
  int32_t height = 0;
  // The pixel memory, for surfaces the front end keeps as 24-bit bottom-up
  // BGR rows; none (pixels null) for a picture kept in another form.
  textpixels::Surface pixels;
};

struct Painter {
  void* context = nullptr;

  // A picture of the data folder, by its name there; PCX or BMP by the
  // name's ending. Null when there is no memory for it; a file that does
  // not load gives a failed picture, and the front end has logged why.
  Picture* (*openPicture)(void* context, const char* name) = nullptr;
  // A black surface with pixel memory; failed, and logged, when it cannot
  // be made (its facts still give the size asked for).
  Picture* (*createPicture)(void* context, int32_t width, int32_t height) = nullptr;
  PictureFacts (*facts)(void* context, Picture* picture) = nullptr;
  // Copies the whole picture with its top-left corner at x, y into target,
  // or onto the screen when target is null; mirrored left to right if asked.
  void (*drawPicture)(void* context, Picture* picture, Picture* target, int32_t x, int32_t y,
                      bool mirrored) = nullptr;
  // Releases a picture, a surface or a screen area (whose text then
  // reaches the screen). Null is ignored.
  void (*closePicture)(void* context, Picture* picture) = nullptr;

  // Blacks out the screen.
  void (*eraseScreen)(void* context) = nullptr;
  // Whether the screen can be drawn on now.
  bool (*screenReady)(void* context) = nullptr;
  // A part of the screen as a target for text drawn over what it shows;
  // null when nothing can be drawn there.
  Picture* (*openScreenArea)(void* context, const PixelRect& area) = nullptr;

  // The font of that cell height (the height of a line: ascent and descent).
  Font* (*openFont)(void* context, int32_t cellHeight) = nullptr;
  void (*closeFont)(void* context, Font* font) = nullptr;
  void (*measureText)(void* context, Font* font, const char* text, int32_t length, int32_t* width,
                      int32_t* height) = nullptr;
  // White text on no background, the top-left corner of its cell at x, y.
  void (*drawText)(void* context, Font* font, Picture* target, int32_t x, int32_t y,
                   const char* text, int32_t length) = nullptr;

  // Plays a sound file without waiting for it; silence when it cannot.
  void (*playSound)(void* context, const char* path) = nullptr;
  // For programs without a screen: the error display hands its messages
  // here instead of drawing them. Null: they are drawn.
  void (*errorSink)(void* context, const char* message) = nullptr;
};
