#include "win32/gdi/gdi_painter.h"

#include <windows.h>

#include <mmsystem.h>

#include <new>

#include "core/show/show.h"
#include "win32/gdi/gdi_text.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"

namespace {

// SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT: never waits for the
// device and never cuts a sound that still plays.
constexpr DWORD kSoundFlags = 0x22011;
static_assert((SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT) == kSoundFlags,
              "popup sound flags");

Show& showOf(void* context) { return *static_cast<Show*>(context); }

HDC dcOf(Picture* picture) {
  if (picture == nullptr) return nullptr;
  return picture->canvas != nullptr ? picture->canvas->dc : picture->image.dc;
}

Picture* openPicture(void* context, const char* name) {
  Picture* picture = new (std::nothrow) Picture();
  if (picture != nullptr) picture->image.load(showOf(context).folder(), name);
  return picture;
}

Picture* createPicture(void*, int32_t width, int32_t height) {
  Picture* picture = new (std::nothrow) Picture();
  if (picture != nullptr) picture->image.create(width, height);
  return picture;
}

PictureFacts facts(void*, Picture* picture) {
  PictureFacts f;
  if (picture == nullptr) return f;
  const Image& image = picture->image;
  f.failed = image.failed;
  f.width = image.width;
  f.height = image.height;
  if (!image.failed && image.pixels != nullptr) {
    f.pixels.pixels = image.pixels;
    f.pixels.width = image.width;
    f.pixels.height = image.height;
    f.pixels.stride = image.stride;
  }
  return f;
}

void drawOn(Image& image, HDC dc, int32_t x, int32_t y, bool mirrored) {
  if (mirrored) {
    image.drawMirrored(x, y, dc);
  } else {
    image.draw(x, y, dc);
  }
}

void drawPicture(void* context, Picture* picture, Picture* target, int32_t x, int32_t y,
                 bool mirrored) {
  if (picture == nullptr || picture->image.failed) return;
  if (target != nullptr) {
    HDC dc = dcOf(target);
    if (dc != nullptr) drawOn(picture->image, dc, x, y, mirrored);
    return;
  }
  ScreenCanvas screen(placeOf(static_cast<Show*>(context)), x, y, picture->image.width,
                      picture->image.height, false);
  if (screen.dc != nullptr) drawOn(picture->image, screen.dc, x, y, mirrored);
}

void closePicture(void*, Picture* picture) {
  if (picture == nullptr) return;
  // A screen area reaches the screen as it ends.
  delete picture->canvas;
  picture->image.release();
  delete picture;
}

void eraseShow(void* context) {
  const Show& show = showOf(context);
  eraseScreen(placeOf(&show), show.screenWidth, show.screenHeight);
}

bool screenReady(void*) {
  HDC screen = GetDC(saverWindow);
  if (screen == nullptr) return false;
  ReleaseDC(saverWindow, screen);
  return true;
}

Picture* openScreenArea(void* context, const PixelRect& area) {
  ScreenCanvas* canvas = new (std::nothrow) ScreenCanvas(
      placeOf(static_cast<Show*>(context)), area.x, area.y, area.width, area.height, true);
  if (canvas == nullptr) return nullptr;
  Picture* picture = canvas->dc != nullptr ? new (std::nothrow) Picture() : nullptr;
  if (picture == nullptr) {
    delete canvas;
    return nullptr;
  }
  picture->canvas = canvas;
  return picture;
}

Font* openFont(void*, int32_t cellHeight) {
  return reinterpret_cast<Font*>(openGdiFont(cellHeight));
}

void closeFont(void*, Font* font) { closeGdiFont(reinterpret_cast<GdiFont*>(font)); }

void measureText(void*, Font* font, const char* text, int32_t length, int32_t* width,
                 int32_t* height) {
  measureGdiText(reinterpret_cast<GdiFont*>(font), text, length, width, height);
}

void drawText(void*, Font* font, Picture* target, int32_t x, int32_t y, const char* text,
              int32_t length) {
  drawGdiText(reinterpret_cast<GdiFont*>(font), dcOf(target), x, y, text, length);
}

void playSound(void*, const char* path) { PlaySoundA(path, nullptr, kSoundFlags); }

}  // namespace

Painter gdiPainter(Show* show) {
  Painter p;
  p.context = show;
  p.openPicture = openPicture;
  p.createPicture = createPicture;
  p.facts = facts;
  p.drawPicture = drawPicture;
  p.closePicture = closePicture;
  p.eraseScreen = eraseShow;
  p.screenReady = screenReady;
  p.openScreenArea = openScreenArea;
  p.openFont = openFont;
  p.closeFont = closeFont;
  p.measureText = measureText;
  p.drawText = drawText;
  p.playSound = playSound;
  return p;
}
