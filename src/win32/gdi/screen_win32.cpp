#include "win32/gdi/screen.h"

#include "base/log_file.h"
#include "core/picture/pixel_scale.h"
#include "win32/gdi/dib_section.h"

HWND saverWindow = nullptr;
ScreenLayout screenLayout;

namespace {

// At a scale above 1 the show reaches the window only through canvases,
// each of which writes exactly its rectangle; so blacking out what they
// covered leaves the whole window black, at a fraction of the cost of a
// large screen. The window starts black from its class brush, which also
// paints whatever another window uncovers.
bool erasedWhole = false;
PixelRect drawnSinceErase;

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

PixelRect takeAreaToErase(int32_t showWidth, int32_t showHeight) {
  PixelRect area;
  if (screenLayout.width <= 0 || screenLayout.height <= 0) {
    area.width = showWidth;
    area.height = showHeight;
    return area;
  }
  area.width = screenLayout.width;
  area.height = screenLayout.height;
  if (screenLayout.scale > 1 && erasedWhole) area = drawnSinceErase;
  erasedWhole = true;
  drawnSinceErase = PixelRect();
  return area;
}

void eraseScreen(int32_t showWidth, int32_t showHeight) {
  PixelRect area = takeAreaToErase(showWidth, showHeight);
  HDC screen = GetDC(saverWindow);
  BitBlt(screen, area.x, area.y, area.width, area.height, nullptr, 0, 0, BLACKNESS);
  if (ReleaseDC(saverWindow, screen) == 0) logFile().write("erase: Unable to release!\n");
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
  dc = CreateCompatibleDC(screen_);
  textpixels::Surface small;
  if (dc != nullptr) small_ = createDibSection(dc, place_.width, place_.height, &small.pixels);
  if (small_ == nullptr) {
    // Nothing to draw into: the item is left out, as a failed draw is.
    if (dc != nullptr) DeleteDC(dc);
    dc = nullptr;
    return;
  }
  previous_ = SelectObject(dc, small_);
  if (overScreen) {
    small.width = place_.width;
    small.height = place_.height;
    small.stride = dibStride(place_.width);
    readScreen(small);
  }
  SetViewportOrgEx(dc, -place_.x, -place_.y, nullptr);
}

// The screen under the canvas at the show's size: the top-left pixel of
// each block (the screen holds only whole blocks there).
void ScreenCanvas::readScreen(const textpixels::Surface& small) {
  PixelRect large = toPrimary(screenLayout, place_);
  HDC largeDc = CreateCompatibleDC(screen_);
  textpixels::Surface read;
  HBITMAP bitmap = largeDc != nullptr
                       ? createDibSection(largeDc, large.width, large.height, &read.pixels)
                       : nullptr;
  if (bitmap != nullptr) {
    read.width = large.width;
    read.height = large.height;
    read.stride = dibStride(large.width);
    HGDIOBJ previous = SelectObject(largeDc, bitmap);
    BitBlt(largeDc, 0, 0, large.width, large.height, screen_, large.x, large.y, SRCCOPY);
    GdiFlush();
    pixelscale::reduce(read, small, screenLayout.scale);
    SelectObject(largeDc, previous);
    DeleteObject(bitmap);
  }
  if (largeDc != nullptr) DeleteDC(largeDc);
}

ScreenCanvas::~ScreenCanvas() {
  if (dc != nullptr && dc != screen_) {
    // Whole-number enlargement without smoothing: each pixel becomes a
    // block, straight into the screen, with no enlarged copy in between.
    PixelRect large = toPrimary(screenLayout, place_);
    SetStretchBltMode(screen_, COLORONCOLOR);
    StretchBlt(screen_, large.x, large.y, large.width, large.height, dc, place_.x, place_.y,
               place_.width, place_.height, SRCCOPY);
    large.x -= screenLayout.left;
    large.y -= screenLayout.top;
    drawnSinceErase = unionOf(drawnSinceErase, large);
    SelectObject(dc, previous_);
    DeleteDC(dc);
  }
  if (small_ != nullptr) DeleteObject(small_);
  if (screen_ != nullptr) ReleaseDC(saverWindow, screen_);
}
