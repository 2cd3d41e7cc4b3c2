#include "web/web_show.h"

#include <new>

#include "core/show/screen_layout.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "web/browser_sound.h"
#include "web/canvas_text.h"

PixelFormat canvasFormat() {
  PixelFormat f;
  f.bytesPerPixel = 4;
  f.redMask = 0x0000FF;
  f.greenMask = 0x00FF00;
  f.blueMask = 0xFF0000;
  f.opaqueBits = 0xFF000000u;
  return f;
}

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
  web.canvasWidth = canvasWidth > 0 ? canvasWidth : 1;
  web.canvasHeight = canvasHeight > 0 ? canvasHeight : 1;
  web.erase = true;
  bool ready = web.screen.resize(web.canvasWidth, web.canvasHeight, web.settings.scale);
  web.show.screenWidth = web.screen.showWidth();
  web.show.screenHeight = web.screen.showHeight();
  web.show.scale = web.screen.scale();
  return ready;
}

void startShow(WebShow& web, bool seedGiven, uint32_t seed) {
  initShow(web.show, web.screen.showWidth(), web.screen.showHeight());
  web.show.scale = web.screen.scale();
  if (seedGiven) web.show.random.seed(seed);
  advance(web.show, true);
}

CanvasChange present(WebShow& web) {
  CanvasChange out;
  if (web.screen.takeErase()) web.erase = true;
  out.erase = web.erase;
  web.erase = false;
  // Written whole from the show's screen, which is black where nothing was
  // drawn since the erase.
  PixelRect rect = web.screen.takeChanged();
  PixelRect shown = toPrimary(web.screen.layout(), rect);
  if (shown.width <= 0 || shown.height <= 0) return out;
  size_t bytes = static_cast<size_t>(shown.width) * shown.height * 4;
  try {
    web.changed.resize(bytes);
  } catch (const std::bad_alloc&) {
    return out;
  }
  enlargeInto(web.screen.surface(), rect, web.screen.scale(), canvasFormat(), web.changed.data(),
              shown.width * 4);
  out.rect = shown;
  return out;
}

PixelRect screenshotArea(const WebShow& web) {
  if (web.show.popupShowing || !web.show.catalogLoaded) return PixelRect();
  return clipTo(toPrimary(web.screen.layout(), web.show.lastDrawnRect), web.canvasWidth,
                web.canvasHeight);
}
