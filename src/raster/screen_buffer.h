// The show's screen in memory: a picture at the show's size that the
// window (an X window, the page's canvas) shows enlarged by a whole
// number, with a note of what changed since it was last put on the window.
#pragma once

#include <cstdint>

#include "core/picture/text_pixels.h"
#include "core/show/screen_layout.h"
#include "raster/picture.h"

// How the window stores a pixel: bytes per pixel (2, 3 or 4), byte order
// and the channel masks of a TrueColor visual; opaque bits are set in
// every pixel (the alpha of a canvas).
struct PixelFormat {
  int32_t bytesPerPixel = 4;
  bool msbFirst = false;
  uint32_t redMask = 0xFF0000;
  uint32_t greenMask = 0x00FF00;
  uint32_t blueMask = 0x0000FF;
  uint32_t opaqueBits = 0;
};

class ScreenBuffer {
 public:
  ScreenBuffer() = default;
  ~ScreenBuffer();
  ScreenBuffer(const ScreenBuffer&) = delete;
  ScreenBuffer& operator=(const ScreenBuffer&) = delete;

  // A window of that size: the scale by the Windows rule, the show's size
  // (the window divided by the scale) and a black buffer. A window smaller
  // than 1024 x 768 (the settings dialog's preview) gets a show of at least
  // that size at the window's shape, shrunk to fit it. False when the
  // buffer cannot be had; the show then has no screen to draw on.
  bool resize(int32_t windowWidth, int32_t windowHeight, uint32_t scaleSetting);
  // The show is shrunk into the window rather than enlarged.
  bool shrinks() const { return shrinks_; }
  // The window's pixels that show a rectangle of the show.
  PixelRect toWindow(const PixelRect& rect) const;

  int32_t showWidth() const { return buffer_ != nullptr ? buffer_->width : 0; }
  int32_t showHeight() const { return buffer_ != nullptr ? buffer_->height : 0; }
  int32_t scale() const { return layout_.scale; }
  const ScreenLayout& layout() const { return layout_; }
  textpixels::Surface surface() const;

  // Blacks out the whole show; the window is blacked out whole too.
  void erase();
  // Marks a rectangle of the show as changed.
  void touch(const PixelRect& rect);
  // Everything needs putting on the window again (Expose).
  void touchAll();

  // What presenting must do: black out the whole window first, and put the
  // changed rectangle (show coordinates, clipped) on it. Taking it clears.
  bool takeErase();
  PixelRect takeChanged();

 private:
  Picture* buffer_ = nullptr;
  ScreenLayout layout_;
  bool eraseWindow_ = true;
  PixelRect changed_;
  bool shrinks_ = false;
  int32_t windowWidth_ = 0;
  int32_t windowHeight_ = 0;
};

// Writes the show's rectangle, each pixel a scale x scale block, into dest
// (the window's pixels for that rectangle: rows of destStride bytes).
void enlargeInto(const textpixels::Surface& show, const PixelRect& rect, int32_t scale,
                 const PixelFormat& format, uint8_t* dest, int32_t destStride);

// Writes the window's rectangle windowRect of a window of windowWidth x
// windowHeight that shows the whole show shrunk: each window pixel the
// mean of the show's pixels under it.
void shrinkInto(const textpixels::Surface& show, const PixelRect& windowRect, int32_t windowWidth,
                int32_t windowHeight, const PixelFormat& format, uint8_t* dest, int32_t destStride);

// A rectangle of the show as pixels of the window, saved as F1 saves it:
// bottom-up BGR rows of bmp::rowLength, each pixel a scale x scale block.
// Null when the rectangle is empty or too large; free() the result.
uint8_t* enlargeForShot(const textpixels::Surface& show, const PixelRect& rect, int32_t scale);
