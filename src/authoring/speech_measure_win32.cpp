// The Windows checker measures with GDI and the font the saver's text box
// makes: bold "Comic Sans MS" of the given cell height, on a memory context.
#include <windows.h>

#include "authoring/speech_measure.h"

namespace {

struct GdiFont {
  HDC dc;
  HFONT font;
  HGDIOBJ previous;
};

void* openGdi(void*, int32_t cellHeight) {
  HFONT font = CreateFontA(cellHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "Comic Sans MS");
  if (font == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    DeleteObject(font);
    return nullptr;
  }
  return new GdiFont{dc, font, SelectObject(dc, font)};
}

bool measureGdi(void*, void* handle, const char* text, int32_t length, int32_t* width,
                int32_t* height) {
  GdiFont* f = static_cast<GdiFont*>(handle);
  SIZE extent = {0, 0};
  if (!GetTextExtentPoint32A(f->dc, text, length, &extent)) return false;
  *width = extent.cx;
  *height = extent.cy;
  return true;
}

void closeGdi(void*, void* handle) {
  GdiFont* f = static_cast<GdiFont*>(handle);
  SelectObject(f->dc, f->previous);
  DeleteDC(f->dc);
  DeleteObject(f->font);
  delete f;
}

}  // namespace

const SpeechMeasure& platformSpeechMeasure() {
  static const SpeechMeasure gdi = [] {
    SpeechMeasure m;
    m.openFont = openGdi;
    m.measureText = measureGdi;
    m.closeFont = closeGdi;
    m.source = "measured with GDI in the saver's font, bold Comic Sans MS";
    return m;
  }();
  return gdi;
}
