// What the wasm module offers Zorbel Studio: the checker over the data
// folder in the module's file system (the same checker as zorbel-check,
// measuring speech with the page's font), and the preview of a strip made
// as the renderer makes it. Answers are JSON in the files' own bytes
// (Windows-1252); a strip's pixels are RGBA rows for the page's canvas.
#include <emscripten.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "authoring/folder_check.h"
#include "authoring/screen_preview.h"
#include "authoring/speech_measure.h"
#include "authoring/strip_preview.h"
#include "authoring/studio_json.h"
#include "core/show/show.h"
#include "raster/raster_painter.h"
#include "raster/screen_buffer.h"
#include "web/canvas_text.h"
#include "web/web_show.h"

namespace {

struct Studio {
  Show show;
  SaverSettings settings;
  ScreenBuffer screen;
  RasterDrawing drawing;
  SpeechMeasure measure;
  PictureMemo pictures;       // forgotten by name when the page writes a file
  std::string answer;         // the last JSON handed out
  std::vector<uint8_t> rgba;  // the last strip's pixels
};

Studio* of(void* handle) { return static_cast<Studio*>(handle); }

// Bottom-up BGR rows to the canvas's top-down RGBA rows.
void copyPixels(const textpixels::Surface& from, std::vector<uint8_t>& out) {
  out.assign(static_cast<size_t>(from.width) * from.height * 4, 0);
  PixelRect all{0, 0, from.width, from.height};
  enlargeInto(from, all, 1, canvasFormat(), out.data(), from.width * 4);
}

}  // namespace

extern "C" {

// A studio on the data folder, a path of the module's file system.
EMSCRIPTEN_KEEPALIVE void* studio_new(const char* folder) {
  Studio* s = new (std::nothrow) Studio();
  if (s == nullptr) return nullptr;
  s->settings.setDefaults();
  std::strncpy(s->settings.directory, folder, sizeof s->settings.directory - 1);
  s->show.settings = &s->settings;
  s->drawing.show = &s->show;
  s->drawing.screen = &s->screen;
  s->drawing.text = canvasTextFace();
  s->show.painter = rasterPainter(&s->drawing);
  s->measure.painter = s->show.painter;
  s->measure.source = "measured with this page's font, Comic Neue Bold, drawn by the browser";
  return s;
}

EMSCRIPTEN_KEEPALIVE void studio_free(void* studio) { delete of(studio); }

// The checker's findings on the folder as it is now: JSON.
EMSCRIPTEN_KEEPALIVE const char* studio_check(void* studio) {
  Studio& s = *of(studio);
  Findings findings;
  if (checkFolder(s.settings.directory, findings, s.measure, &s.pictures) ==
      FolderResult::unreadable)
    findings.error("", 0, "the folder cannot be read");
  s.answer = findingsJson(findings, s.measure.source);
  return s.answer.c_str();
}

// The page wrote the file of that name; "" when it replaced the folder.
EMSCRIPTEN_KEEPALIVE void studio_changed(void* studio, const char* name) {
  Studio& s = *of(studio);
  if (name[0] == '\0')
    s.pictures.clear();
  else
    s.pictures.forget(name);
}

// The strip of the template (a name in the folder) by its name ("" picks
// one as the saver does) and seed: JSON, and its pixels at studio_pixels.
EMSCRIPTEN_KEEPALIVE const char* studio_preview(void* studio, const char* templateName,
                                                const char* stripName, uint32_t seed) {
  Studio& s = *of(studio);
  StripPreview preview = previewStrip(s.show, templateName, stripName, seed);
  int32_t width = 0;
  int32_t height = 0;
  s.rgba.clear();
  if (preview.picture != nullptr) {
    const Painter& p = s.show.painter;
    PictureFacts facts = p.facts(p.context, preview.picture);
    if (!facts.failed && facts.pixels.pixels != nullptr) {
      copyPixels(facts.pixels, s.rgba);
      width = facts.width;
      height = facts.height;
    }
    p.closePicture(p.context, preview.picture);
  }
  s.answer = previewJson(preview, width, height);
  return s.answer.c_str();
}

// A finished comic or popup of the folder on a 1024 x 768 screen, as the
// show puts it there: JSON, and the screen's pixels at studio_pixels.
EMSCRIPTEN_KEEPALIVE const char* studio_screen(void* studio, const char* picture, uint32_t seed) {
  Studio& s = *of(studio);
  s.rgba.clear();
  int32_t width = 0;
  int32_t height = 0;
  ScreenPreview shown;
  if (s.screen.resize(kPreviewScreenWidth, kPreviewScreenHeight, 1)) {
    PopupEntry popup;
    bool isPopup = findPopup(s.show, picture, popup);
    shown = previewScreen(s.show, picture, isPopup ? &popup : nullptr, seed);
    textpixels::Surface screen = s.screen.surface();
    copyPixels(screen, s.rgba);
    width = screen.width;
    height = screen.height;
  } else {
    shown.error = "no memory for a screen";
  }
  s.answer = "{\"error\":" + jsonString(shown.error) +
             ",\"description\":" + jsonString(shown.description) +
             ",\"width\":" + std::to_string(width) + ",\"height\":" + std::to_string(height) + "}";
  return s.answer.c_str();
}

EMSCRIPTEN_KEEPALIVE uint8_t* studio_pixels(void* studio) { return of(studio)->rgba.data(); }

}  // extern "C"
