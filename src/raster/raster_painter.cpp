#include "raster/raster_painter.h"

#include <new>
#include <string>

#include "base/file.h"
#include "core/show/show.h"
#include "raster/picture.h"

namespace {

RasterDrawing& drawingOf(void* context) { return *static_cast<RasterDrawing*>(context); }

Picture* openPicture(void* context, const char* name) {
  return loadPicture(drawingOf(context).show->folder(), name);
}

Picture* newSurface(void*, int32_t width, int32_t height) { return createPicture(width, height); }

PictureFacts facts(void*, Picture* picture) {
  PictureFacts f;
  if (picture == nullptr) return f;
  f.failed = picture->failed;
  f.width = picture->width;
  f.height = picture->height;
  if (!picture->failed) f.pixels = picture->surface();
  return f;
}

void drawPicture(void* context, Picture* picture, Picture* target, int32_t x, int32_t y,
                 bool mirrored) {
  if (picture == nullptr || picture->failed) return;
  ScreenBuffer* screen = drawingOf(context).screen;
  if (target == nullptr) {
    copyPicture(picture->surface(), screen->surface(), x, y, mirrored);
    screen->touch({x, y, picture->width, picture->height});
    return;
  }
  if (target->failed) return;
  copyPicture(picture->surface(), target->surface(), x, y, mirrored);
  if (target->borrowed) screen->touch({x, y, picture->width, picture->height});
}

void closePicture(void* context, Picture* picture) {
  if (picture == nullptr) return;
  // A screen area's text reaches the window with the next present.
  if (picture->borrowed) drawingOf(context).screen->touch(picture->area);
  delete picture;
}

void eraseScreen(void* context) { drawingOf(context).screen->erase(); }

bool screenReady(void* context) { return drawingOf(context).screen->showWidth() > 0; }

// The area is where the text goes; the target is the whole screen, in
// the show's coordinates, as text boxes draw in them.
Picture* openScreenArea(void* context, const PixelRect& area) {
  ScreenBuffer* screen = drawingOf(context).screen;
  textpixels::Surface s = screen->surface();
  if (s.pixels == nullptr) return nullptr;
  Picture* picture = new (std::nothrow) Picture();
  if (picture == nullptr) return nullptr;
  picture->pixels = s.pixels;
  picture->width = s.width;
  picture->height = s.height;
  picture->stride = s.stride;
  picture->failed = false;
  picture->borrowed = true;
  picture->area = area;
  return picture;
}

Font* openFont(void* context, int32_t cellHeight) {
  const TextFace& text = drawingOf(context).text;
  return text.open != nullptr ? text.open(cellHeight) : nullptr;
}

void closeFont(void* context, Font* font) {
  const TextFace& text = drawingOf(context).text;
  if (text.close != nullptr) text.close(font);
}

void measureText(void* context, Font* font, const char* text, int32_t length, int32_t* width,
                 int32_t* height) {
  *width = 0;
  *height = 0;
  const TextFace& face = drawingOf(context).text;
  if (face.measure != nullptr) face.measure(font, text, length, width, height);
}

void drawText(void* context, Font* font, Picture* target, int32_t x, int32_t y, const char* text,
              int32_t length) {
  const TextFace& face = drawingOf(context).text;
  if (target == nullptr || target->failed || face.draw == nullptr) return;
  face.draw(font, target->surface(), x, y, text, length);
}

// The core joins the data folder and the name with a backslash, as the
// file layer takes it; the sound library wants the real path.
void playSound(void* context, const char* path) {
  RasterDrawing& d = drawingOf(context);
  if (d.playSound == nullptr || path == nullptr) return;
  d.playSound(zfile::shownPath(path).c_str());
}

}  // namespace

Painter rasterPainter(RasterDrawing* drawing) {
  Painter p;
  p.context = drawing;
  p.openPicture = openPicture;
  p.createPicture = newSurface;
  p.facts = facts;
  p.drawPicture = drawPicture;
  p.closePicture = closePicture;
  p.eraseScreen = eraseScreen;
  p.screenReady = screenReady;
  p.openScreenArea = openScreenArea;
  p.openFont = openFont;
  p.closeFont = closeFont;
  p.measureText = measureText;
  p.drawText = drawText;
  p.playSound = playSound;
  return p;
}
