// The saver's screen: one window over every monitor, with a show drawn on
// the primary monitor, or one on each monitor, each enlarged by its own
// scale. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/picture/text_pixels.h"
#include "core/show/screen_layout.h"

struct Show;

// The full-screen window; every screen drawing context is taken from it.
extern HWND saverWindow;

// Set by the saver window before the show starts (setScreenLayout). Until
// then: one monitor at scale 1, whose size is the show's.
extern ScreenLayout screenLayout;

// Sets screenLayout; the next eraseScreen blacks out the whole window.
void setScreenLayout(const ScreenLayout& layout);

// Where one show is drawn: its monitor in the window's coordinates, its
// scale, and what its erasing blacks out.
struct ScreenPlace {
  PixelRect monitor;
  int32_t scale = 1;
  // The whole window for a show alone on it, else its monitor.
  PixelRect eraseArea;
  bool erasedWhole = false;
  PixelRect drawnSinceErase;  // window coordinates
};

// The show alone on the primary monitor of screenLayout.
ScreenPlace primaryPlace();
// A show of its own on a monitor of screenLayout's window.
ScreenPlace monitorPlace(const ShowPlace& place);
// Draws show on place from now on; null forgets it. A show not placed
// (and a null show) is drawn on the primary monitor of screenLayout.
void placeShow(const Show* show, ScreenPlace* place);
ScreenPlace& placeOf(const Show* show);

// The monitors as the system reports them now, in the window's
// coordinates, the primary first.
std::vector<PixelRect> measureMonitors();

// What eraseScreen must black out now, in the window's coordinates: the
// whole window, except at a scale above 1 after the first time, where
// only what the canvases covered since is left to black out. Without a
// measured layout: the show's screen from the top-left corner.
PixelRect takeAreaToErase(int32_t showWidth, int32_t showHeight);
PixelRect takeAreaToErase(ScreenPlace& place, int32_t showWidth, int32_t showHeight);

// Blacks out the saver window: every monitor once the saver has measured
// them, else showWidth x showHeight from the top-left corner.
void eraseScreen(int32_t showWidth, int32_t showHeight);
// Blacks out what the show on place covers (the whole window for a show
// alone).
void eraseScreen(ScreenPlace& place, int32_t showWidth, int32_t showHeight);

// The monitors as the system reports them now, with the "Scale" setting.
ScreenLayout measureScreen(uint32_t scaleSetting);

// A context of the saver window whose 0, 0 is the top-left corner of the
// place's monitor; release it with ReleaseDC(saverWindow, ...).
HDC getPlaceDc(const ScreenPlace& place);
// A rectangle of the show on place as pixels of its monitor.
PixelRect toMonitor(const ScreenPlace& place, const PixelRect& rect);

// Where the show draws on the screen, for one rectangle in show
// coordinates; dc takes the same coordinates. At scale 1 it is the
// window's own context; at a larger scale a show-size surface that is
// enlarged onto the screen when the canvas ends (each pixel a block, no
// smoothing). With overScreen, that
// surface starts as what the screen shows there (for text drawn over a
// picture). Null when nothing can be drawn.
class ScreenCanvas {
 public:
  ScreenCanvas(ScreenPlace& place, int32_t x, int32_t y, int32_t width, int32_t height,
               bool overScreen);
  ~ScreenCanvas();
  ScreenCanvas(const ScreenCanvas&) = delete;
  ScreenCanvas& operator=(const ScreenCanvas&) = delete;

  HDC dc = nullptr;

 private:
  void readScreen(const textpixels::Surface& small);

  ScreenPlace& where_;
  HDC screen_ = nullptr;
  HBITMAP small_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  PixelRect place_;
};
