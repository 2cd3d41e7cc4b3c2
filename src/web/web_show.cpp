#include "web/web_show.h"

#include <cstring>
#include <ctime>
#include <new>

#include "core/show/screen_layout.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "web/browser_sound.h"
#include "web/canvas_text.h"

namespace {

// The canvas's bytes R, G, B, A read as one little-endian word.
PixelFormat canvasFormat() {
  PixelFormat f;
  f.bytesPerPixel = 4;
  f.redMask = 0x0000FF;
  f.greenMask = 0x00FF00;
  f.blueMask = 0xFF0000;
  f.opaqueBits = 0xFF000000u;
  return f;
}

void blackCanvas(WebShow& web) {
  uint32_t black = 0xFF000000u;
  uint8_t* p = web.canvas.data();
  for (size_t i = 0; i < web.canvas.size(); i += 4) std::memcpy(p + i, &black, 4);
}

}  // namespace

WebShow* newWebShow() {
  WebShow* web = new (std::nothrow) WebShow();
  if (web == nullptr) return nullptr;
  web->settings.setDefaults();
  web->show.settings = &web->settings;
  web->drawing.show = &web->show;
  web->drawing.screen = &web->screen;
  web->drawing.text = canvasTextFace();
  web->drawing.playSound = playBrowserSound;
  web->show.painter = rasterPainter(&web->drawing);
  return web;
}

bool layOut(WebShow& web, int32_t canvasWidth, int32_t canvasHeight) {
  if (canvasWidth < 1) canvasWidth = 1;
  if (canvasHeight < 1) canvasHeight = 1;
  web.canvasWidth = 0;
  web.canvasHeight = 0;
  web.canvas.clear();
  if (!web.screen.resize(canvasWidth, canvasHeight, web.settings.scale)) return false;
  try {
    web.canvas.resize(static_cast<size_t>(canvasWidth) * canvasHeight * 4);
  } catch (const std::bad_alloc&) {
    web.canvas.shrink_to_fit();
    return false;
  }
  web.canvasWidth = canvasWidth;
  web.canvasHeight = canvasHeight;
  blackCanvas(web);
  web.erase = true;
  web.changed = PixelRect();
  web.show.screenWidth = web.screen.showWidth();
  web.show.screenHeight = web.screen.showHeight();
  web.show.scale = web.screen.scale();
  return true;
}

void startShow(WebShow& web, bool seedGiven, uint32_t seed) {
  initShow(web.show, web.screen.showWidth(), web.screen.showHeight());
  web.show.scale = web.screen.scale();
  if (seedGiven) web.show.random.seed(seed);
  advance(web.show, true);
}

CanvasChange present(WebShow& web) {
  CanvasChange out;
  if (web.canvas.empty()) return out;
  // The changed rectangle is written whole from the show's screen, which
  // is black where nothing was drawn since the erase.
  if (web.screen.takeErase()) {
    web.erase = true;
    web.changed = PixelRect();
  }
  PixelRect rect = web.screen.takeChanged();
  int32_t scale = web.screen.scale();
  if (rect.width > 0 && rect.height > 0) {
    size_t stride = static_cast<size_t>(web.canvasWidth) * 4;
    uint8_t* at = web.canvas.data() + static_cast<size_t>(rect.y) * scale * stride +
                  static_cast<size_t>(rect.x) * scale * 4;
    enlargeInto(web.screen.surface(), rect, scale, canvasFormat(), at,
                static_cast<int32_t>(stride));
    web.changed = unionOf(web.changed, toPrimary(web.screen.layout(), rect));
  }
  out.erase = web.erase;
  out.rect = web.changed;
  web.erase = false;
  web.changed = PixelRect();
  return out;
}

PixelRect screenshotArea(const WebShow& web) {
  if (web.show.popupShowing || !web.show.catalogLoaded) return PixelRect();
  PixelRect area = toPrimary(web.screen.layout(), web.show.lastDrawnRect);
  PixelRect canvas{0, 0, web.canvasWidth, web.canvasHeight};
  int32_t left = area.x > 0 ? area.x : 0;
  int32_t top = area.y > 0 ? area.y : 0;
  int32_t right = area.x + area.width < canvas.width ? area.x + area.width : canvas.width;
  int32_t bottom = area.y + area.height < canvas.height ? area.y + area.height : canvas.height;
  if (right <= left || bottom <= top) return PixelRect();
  return {left, top, right - left, bottom - top};
}
