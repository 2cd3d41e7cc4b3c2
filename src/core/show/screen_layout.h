// How the saver window covers every monitor, and by what whole number the
// show is enlarged on the primary one. Portable: the numbers come from the
// system's metrics (screen_win32.cpp).
#pragma once

#include <cstdint>
#include <vector>

#include "core/picture/pixel_rect.h"

struct ScreenLayout {
  // The window over all monitors, in screen coordinates, in which the
  // primary monitor's top-left corner is 0, 0.
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t primaryWidth = 0;
  int32_t primaryHeight = 0;
  // Each pixel of the show is a scale x scale block on the screen.
  int32_t scale = 1;
};

constexpr int32_t kMaxScale = 8;

// The "Scale" setting: 1 to kMaxScale is taken up to the largest scale at
// which a 1024 x 768 show fits the primary monitor; anything else gives
// that largest one (one step per 1024 x 768). Never so large that the show
// would have no pixel left.
int32_t chooseScale(int32_t primaryWidth, int32_t primaryHeight, uint32_t setting);

// The layout for a virtual screen and a primary monitor as the system
// reports them. A virtual screen that does not hold the whole primary
// monitor (the metrics may disagree while monitors come and go) is
// widened until it does.
ScreenLayout makeScreenLayout(const PixelRect& virtualScreen, int32_t primaryWidth,
                              int32_t primaryHeight, uint32_t scaleSetting);

// The show's own screen: the primary monitor divided by the scale.
int32_t showWidth(const ScreenLayout& layout);
int32_t showHeight(const ScreenLayout& layout);

// The part of rect within 0, 0 to width x height; empty (0 x 0 at 0, 0)
// when none is.
PixelRect clipTo(const PixelRect& rect, int32_t width, int32_t height);

// The part of a rectangle of the show that lies on the show's screen
// (width and height 0 when none does).
PixelRect clipToShow(const ScreenLayout& layout, const PixelRect& rect);

// A rectangle of the show as pixels of the primary monitor: scaled, and
// limited to what 32 bits hold.
PixelRect toPrimary(const ScreenLayout& layout, const PixelRect& rect);

// The smallest rectangle that holds both; an empty one (width or height 0
// or less) adds nothing.
PixelRect unionOf(const PixelRect& a, const PixelRect& b);

// One monitor's show: where it lies in the window over every monitor, and
// by what whole number it is enlarged there.
struct ShowPlace {
  PixelRect area;
  int32_t scale = 1;
};

// A show per monitor, for a window of that size and its monitors in the
// window's coordinates, the primary (whose popups are heard) first. Each
// monitor is clipped to the window; empty ones and repeats (mirrored
// monitors) are left out. Empty unless everyMonitor holds and two or more
// monitors remain: then one show covers the screen, as it always has.
std::vector<ShowPlace> placeShows(int32_t windowWidth, int32_t windowHeight,
                                  const std::vector<PixelRect>& monitors, bool everyMonitor,
                                  uint32_t scaleSetting);

// How many ticks later than the first the show of that index changes, of
// count shows changing every delayTicks: spread over one interval, so that
// the monitors do not all change at the same moment.
int32_t staggerTicks(int32_t delayTicks, int32_t index, int32_t count);
