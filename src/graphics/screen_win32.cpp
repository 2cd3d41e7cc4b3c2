#include "graphics/screen.h"

#include "graphics/image.h"
#include "graphics/pixel_scale.h"
#include "shell/globals.h"
#include "show/show_state.h"

ScreenLayout screenLayout;

namespace {

// At a scale above 1 the show reaches the window only through canvases,
// each of which writes exactly its rectangle; so blacking out what they
// covered leaves the whole window black, at a fraction of the cost of a
// large screen. The window starts black from its class brush, which also
// paints whatever another window uncovers.
bool erasedWhole = false;
PixelRect drawnSinceErase;

int32_t strideOf(int32_t width) { return static_cast<int32_t>((3 * int64_t{width} + 3) & ~3); }

}  // namespace

ScreenLayout measureScreen(uint32_t scaleSetting) {
  PixelRect all;
  all.x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  all.y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  all.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  all.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return makeScreenLayout(all, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                          scaleSetting);
}

void setScreenLayout(const ScreenLayout& layout) {
  screenLayout = layout;
  erasedWhole = false;
  drawnSinceErase = PixelRect();
}

PixelRect takeAreaToErase() {
  PixelRect area;
  if (screenLayout.width <= 0 || screenLayout.height <= 0) {
    area.width = screenWidth;
    area.height = screenHeight;
    return area;
  }
  area.width = screenLayout.width;
  area.height = screenLayout.height;
  if (screenLayout.scale > 1 && erasedWhole) area = drawnSinceErase;
  erasedWhole = true;
  drawnSinceErase = PixelRect();
  return area;
}

HDC getPrimaryDc() {
  HDC dc = GetDC(saverWindow);
  if (dc != nullptr) SetViewportOrgEx(dc, -screenLayout.left, -screenLayout.top, nullptr);
  return dc;
}

ScreenCanvas::ScreenCanvas(int32_t x, int32_t y, int32_t width, int32_t height, bool overScreen) {
  screen_ = getPrimaryDc();
  if (screen_ == nullptr || screenLayout.scale <= 1) {
    dc = screen_;
    return;
  }
  PixelRect wanted;
  wanted.x = x;
  wanted.y = y;
  wanted.width = width;
  wanted.height = height;
  place_ = clipToShow(screenLayout, wanted);
  if (place_.width == 0) return;
  PixelRect large = toPrimary(screenLayout, place_);
  dc = CreateCompatibleDC(screen_);
  largeDc_ = CreateCompatibleDC(screen_);
  if (dc != nullptr && largeDc_ != nullptr) {
    small_ = createDibSection(dc, place_.width, place_.height, &smallPixels_.pixels);
    large_ = createDibSection(largeDc_, large.width, large.height, &largePixels_.pixels);
  }
  if (small_ == nullptr || large_ == nullptr) {
    // Nothing to draw into: the item is left out, as a failed draw is.
    if (dc != nullptr) DeleteDC(dc);
    dc = nullptr;
    return;
  }
  smallPixels_.width = place_.width;
  smallPixels_.height = place_.height;
  smallPixels_.stride = strideOf(place_.width);
  largePixels_.width = large.width;
  largePixels_.height = large.height;
  largePixels_.stride = strideOf(large.width);
  smallPrevious_ = SelectObject(dc, small_);
  largePrevious_ = SelectObject(largeDc_, large_);
  if (overScreen) {
    BitBlt(largeDc_, 0, 0, large.width, large.height, screen_, large.x, large.y, SRCCOPY);
    GdiFlush();
    pixelscale::reduce(largePixels_, smallPixels_, screenLayout.scale);
  }
  SetViewportOrgEx(dc, -place_.x, -place_.y, nullptr);
}

ScreenCanvas::~ScreenCanvas() {
  if (dc != nullptr && dc != screen_) {
    GdiFlush();
    pixelscale::enlarge(smallPixels_, largePixels_, screenLayout.scale);
    PixelRect large = toPrimary(screenLayout, place_);
    BitBlt(screen_, large.x, large.y, large.width, large.height, largeDc_, 0, 0, SRCCOPY);
    large.x -= screenLayout.left;
    large.y -= screenLayout.top;
    drawnSinceErase = unionOf(drawnSinceErase, large);
    SelectObject(dc, smallPrevious_);
    DeleteDC(dc);
  }
  if (largeDc_ != nullptr) {
    if (largePrevious_ != nullptr) SelectObject(largeDc_, largePrevious_);
    DeleteDC(largeDc_);
  }
  if (small_ != nullptr) DeleteObject(small_);
  if (large_ != nullptr) DeleteObject(large_);
  if (screen_ != nullptr) ReleaseDC(saverWindow, screen_);
}
