// What the wasm module offers the page's scripts (and any other page that
// takes the module): shows on canvases, fed from the wasm file system.
// Plain C functions, called through cwrap; a show is an opaque number.
#include <emscripten.h>

#include <cstdint>
#include <cstring>

#include "base/log_file.h"
#include "core/show/show_chooser.h"
#include "web/canvas_text.h"
#include "web/web_show.h"

namespace {

WebShow* of(void* handle) { return static_cast<WebShow*>(handle); }

uint32_t* settingField(WebShow& web, const char* name) {
  if (std::strcmp(name, "Scale") == 0) return &web.settings.scale;
  for (const ProductValue& value : kProductValues) {
    if (std::strcmp(value.name, name) == 0) return &(web.settings.*value.field);
  }
  return nullptr;
}

// Numbers for the page to read: x, y, width, height and a flag.
int32_t* rectOut(const PixelRect& rect, bool flag = false) {
  static int32_t out[5];
  out[0] = rect.x;
  out[1] = rect.y;
  out[2] = rect.width;
  out[3] = rect.height;
  out[4] = flag ? 1 : 0;
  return out;
}

}  // namespace

extern "C" {

// (Re)creates the process's error.log at path: the log of every show.
EMSCRIPTEN_KEEPALIVE void zorbel_open_log(const char* path) {
  logFile().close();
  logFile().open(path);
}

// The font file (TrueType) whose cell the speech text takes; 0 when it is
// no font.
EMSCRIPTEN_KEEPALIVE int zorbel_use_font(const uint8_t* file, int32_t size) {
  return size > 0 && useFontFile(file, static_cast<size_t>(size)) ? 1 : 0;
}

// The cell of a font the page has no file of (a system font): units per
// em, ascent and ascent plus descent; 0 when they make no cell.
EMSCRIPTEN_KEEPALIVE int zorbel_use_font_cell(int32_t unitsPerEm, int32_t ascent, int32_t total) {
  return useFontCell(unitsPerEm, ascent, total) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void* zorbel_new_show() { return newWebShow(); }

EMSCRIPTEN_KEEPALIVE void zorbel_free_show(void* show) { delete of(show); }

// A setting by its name ("Time Delay", "Use Sound", "Scale"); 0 when there
// is no such setting.
EMSCRIPTEN_KEEPALIVE int zorbel_set(void* show, const char* name, uint32_t value) {
  uint32_t* field = settingField(*of(show), name);
  if (field == nullptr) return 0;
  *field = value;
  return 1;
}

EMSCRIPTEN_KEEPALIVE uint32_t zorbel_get(void* show, const char* name) {
  uint32_t* field = settingField(*of(show), name);
  return field != nullptr ? *field : 0;
}

// The data folder, a path of the wasm file system.
EMSCRIPTEN_KEEPALIVE void zorbel_set_folder(void* show, const char* folder) {
  char* directory = of(show)->settings.directory;
  std::strncpy(directory, folder, sizeof of(show)->settings.directory - 1);
  directory[sizeof of(show)->settings.directory - 1] = '\0';
}

// Lays the show out on the canvas and shows its first item; 1 when the
// folder's comics.ini was read.
EMSCRIPTEN_KEEPALIVE int zorbel_start(void* show, int32_t width, int32_t height, int seedGiven,
                                      uint32_t seed) {
  WebShow& web = *of(show);
  layOut(web, width, height);
  startShow(web, seedGiven != 0, seed);
  return web.show.catalogLoaded ? 1 : 0;
}

// A new canvas size: the show goes on at the new scale with its next item.
EMSCRIPTEN_KEEPALIVE void zorbel_resize(void* show, int32_t width, int32_t height) {
  WebShow& web = *of(show);
  layOut(web, width, height);
  if (web.show.catalogLoaded) advance(web.show, true);
}

// Gives ticks of 100 ms; returns how many ticks until the next can change
// the screen (0: none will).
EMSCRIPTEN_KEEPALIVE int32_t zorbel_tick(void* show, int32_t ticks) {
  WebShow& web = *of(show);
  for (int32_t i = 0; i < ticks; ++i) advance(web.show, false);
  return ticksUntilDue(web.show);
}

EMSCRIPTEN_KEEPALIVE int32_t zorbel_due(void* show) { return ticksUntilDue(of(show)->show); }

// The next item now (Return).
EMSCRIPTEN_KEEPALIVE void zorbel_next(void* show) {
  WebShow& web = *of(show);
  if (web.show.catalogLoaded) advance(web.show, true);
}

// Writes what changed into the changed pixels; returns x, y, width, height
// of the canvas where they go, and 1 when the page must black out the
// whole canvas first.
EMSCRIPTEN_KEEPALIVE int32_t* zorbel_present(void* show) {
  CanvasChange change = present(*of(show));
  return rectOut(change.rect, change.erase);
}

// The changed pixels: RGBA rows of the changed rectangle's width.
EMSCRIPTEN_KEEPALIVE uint8_t* zorbel_pixels(void* show) { return of(show)->changed.data(); }

// The canvas rectangle F1 saves; empty when it saves nothing.
EMSCRIPTEN_KEEPALIVE int32_t* zorbel_shot_area(void* show) {
  return rectOut(screenshotArea(*of(show)));
}

EMSCRIPTEN_KEEPALIVE int32_t zorbel_scale(void* show) { return of(show)->screen.scale(); }

}  // extern "C"
