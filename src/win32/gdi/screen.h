// The saver's screen: one window over every monitor, with the show drawn on
// the primary monitor, enlarged by the layout's scale. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/picture/text_pixels.h"
#include "core/show/screen_layout.h"

// The full-screen window; every screen drawing context is taken from it.
extern HWND saverWindow;

// Set by the saver window before the show starts (setScreenLayout). Until
// then: one monitor at scale 1, whose size is the show's.
extern ScreenLayout screenLayout;

// Sets screenLayout; the next eraseScreen blacks out the whole window.
void setScreenLayout(const ScreenLayout& layout);

// What eraseScreen must black out now, in the window's coordinates: the
// whole window, except at a scale above 1 after the first time, where
// only what the canvases covered since is left to black out. Without a
// measured layout: the show's screen from the top-left corner.
PixelRect takeAreaToErase(int32_t showWidth, int32_t showHeight);

// Blacks out the saver window: every monitor once the saver has measured
// them, else showWidth x showHeight from the top-left corner.
void eraseScreen(int32_t showWidth, int32_t showHeight);

// The monitors as the system reports them now, with the "Scale" setting.
ScreenLayout measureScreen(uint32_t scaleSetting);

// A context of the saver window whose 0, 0 is the primary monitor's
// top-left corner; release it with ReleaseDC(saverWindow, ...).
HDC getPrimaryDc();

// Where the show draws on the screen, for one rectangle in show
// coordinates; dc takes the same coordinates. At scale 1 it is the
// window's own context; at a larger scale a show-size surface that is
// enlarged onto the screen when the canvas ends (each pixel a block, no
// smoothing). With overScreen, that
// surface starts as what the screen shows there (for text drawn over a
// picture). Null when nothing can be drawn.
class ScreenCanvas {
 public:
  ScreenCanvas(int32_t x, int32_t y, int32_t width, int32_t height, bool overScreen);
  ~ScreenCanvas();
  ScreenCanvas(const ScreenCanvas&) = delete;
  ScreenCanvas& operator=(const ScreenCanvas&) = delete;

  HDC dc = nullptr;

 private:
  void readScreen(const textpixels::Surface& small);

  HDC screen_ = nullptr;
  HBITMAP small_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  PixelRect place_;
};
