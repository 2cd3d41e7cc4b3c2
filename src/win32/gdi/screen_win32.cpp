#include "win32/gdi/screen.h"

#include "base/log_file.h"
#include "core/picture/pixel_scale.h"
#include "win32/gdi/dib_section.h"

HWND saverWindow = nullptr;
ScreenLayout screenLayout;

namespace {

// At a scale above 1 a show reaches the window only through canvases,
// each of which writes exactly its rectangle; so blacking out what they
// covered leaves its part of the window black, at a fraction of the cost
// of a large screen. The window starts black from its class brush, which
// also paints whatever another window uncovers.
ScreenPlace unplaced;

struct Placed {
  const Show* show;
  ScreenPlace* place;
};
std::vector<Placed> placed;

// The place's monitor as a layout of its own: the show's size and scale.
ScreenLayout monitorLayout(const ScreenPlace& place) {
  ScreenLayout l;
  l.primaryWidth = place.monitor.width;
  l.primaryHeight = place.monitor.height;
  l.scale = place.scale;
  return l;
}

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  PixelRect m;
  m.x = r->left - screenLayout.left;
  m.y = r->top - screenLayout.top;
  m.width = r->right - r->left;
  m.height = r->bottom - r->top;
  auto* monitors = reinterpret_cast<std::vector<PixelRect>*>(list);
  // The primary monitor's top-left corner is 0, 0 of the screen.
  if (r->left == 0 && r->top == 0) {
    monitors->insert(monitors->begin(), m);
  } else {
    monitors->push_back(m);
  }
  return TRUE;
}

}  // namespace

ScreenPlace primaryPlace() {
  ScreenPlace place;
  place.monitor.x = -screenLayout.left;
  place.monitor.y = -screenLayout.top;
  place.monitor.width = screenLayout.primaryWidth;
  place.monitor.height = screenLayout.primaryHeight;
  place.scale = screenLayout.scale;
  place.eraseArea.width = screenLayout.width;
  place.eraseArea.height = screenLayout.height;
  return place;
}

ScreenPlace monitorPlace(const ShowPlace& shown) {
  ScreenPlace place;
  place.monitor = shown.area;
  place.scale = shown.scale;
  place.eraseArea = shown.area;
  return place;
}

void placeShow(const Show* show, ScreenPlace* place) {
  for (size_t i = 0; i < placed.size(); ++i) {
    if (placed[i].show != show) continue;
    placed.erase(placed.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
  if (place != nullptr) placed.push_back({show, place});
}

ScreenPlace& placeOf(const Show* show) {
  for (const Placed& p : placed) {
    if (p.show == show) return *p.place;
  }
  return unplaced;
}

std::vector<PixelRect> measureMonitors() {
  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

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
  unplaced = primaryPlace();
}

PixelRect takeAreaToErase(ScreenPlace& place, int32_t showWidth, int32_t showHeight) {
  PixelRect area;
  if (place.eraseArea.width <= 0 || place.eraseArea.height <= 0) {
    area.width = showWidth;
    area.height = showHeight;
    return area;
  }
  area = place.eraseArea;
  if (place.scale > 1 && place.erasedWhole) area = place.drawnSinceErase;
  place.erasedWhole = true;
  place.drawnSinceErase = PixelRect();
  return area;
}

PixelRect takeAreaToErase(int32_t showWidth, int32_t showHeight) {
  return takeAreaToErase(unplaced, showWidth, showHeight);
}

void eraseScreen(ScreenPlace& place, int32_t showWidth, int32_t showHeight) {
  PixelRect area = takeAreaToErase(place, showWidth, showHeight);
  HDC screen = GetDC(saverWindow);
  BitBlt(screen, area.x, area.y, area.width, area.height, nullptr, 0, 0, BLACKNESS);
  if (ReleaseDC(saverWindow, screen) == 0) logFile().write("erase: Unable to release!\n");
}

void eraseScreen(int32_t showWidth, int32_t showHeight) {
  eraseScreen(unplaced, showWidth, showHeight);
}

HDC getPlaceDc(const ScreenPlace& place) {
  HDC dc = GetDC(saverWindow);
  if (dc != nullptr) SetViewportOrgEx(dc, place.monitor.x, place.monitor.y, nullptr);
  return dc;
}

PixelRect toMonitor(const ScreenPlace& place, const PixelRect& rect) {
  return toPrimary(monitorLayout(place), rect);
}

ScreenCanvas::ScreenCanvas(ScreenPlace& place, int32_t x, int32_t y, int32_t width, int32_t height,
                           bool overScreen)
    : where_(place) {
  screen_ = getPlaceDc(place);
  if (screen_ == nullptr || place.scale <= 1) {
    dc = screen_;
    return;
  }
  PixelRect wanted;
  wanted.x = x;
  wanted.y = y;
  wanted.width = width;
  wanted.height = height;
  place_ = clipToShow(monitorLayout(place), wanted);
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
  PixelRect large = toMonitor(where_, place_);
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
    pixelscale::reduce(read, small, where_.scale);
    SelectObject(largeDc, previous);
    DeleteObject(bitmap);
  }
  if (largeDc != nullptr) DeleteDC(largeDc);
}

ScreenCanvas::~ScreenCanvas() {
  if (dc != nullptr && dc != screen_) {
    // Whole-number enlargement without smoothing: each pixel becomes a
    // block, straight into the screen, with no enlarged copy in between.
    PixelRect large = toMonitor(where_, place_);
    SetStretchBltMode(screen_, COLORONCOLOR);
    StretchBlt(screen_, large.x, large.y, large.width, large.height, dc, place_.x, place_.y,
               place_.width, place_.height, SRCCOPY);
    large.x += where_.monitor.x;
    large.y += where_.monitor.y;
    where_.drawnSinceErase = unionOf(where_.drawnSinceErase, large);
    SelectObject(dc, previous_);
    DeleteDC(dc);
  }
  if (small_ != nullptr) DeleteObject(small_);
  if (screen_ != nullptr) ReleaseDC(saverWindow, screen_);
}
