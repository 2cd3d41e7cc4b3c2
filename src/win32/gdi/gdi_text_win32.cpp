#include "win32/gdi/gdi_text.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/log_file.h"

GdiFont* openGdiFont(int32_t cellHeight) {
  GdiFont* f = new (std::nothrow) GdiFont();
  if (f == nullptr) return nullptr;
  // A positive height asks for the cell height; the default quality, so
  // that the only smoothing is the speech text's own shrink.
  f->font = CreateFontA(cellHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                        "Comic Sans MS");
  if (f->font == nullptr) logFile().write(static_cast<int32_t>(GetLastError())).write("\n");
  f->measure = CreateCompatibleDC(nullptr);
  if (f->measure != nullptr && f->font != nullptr) f->previous = SelectObject(f->measure, f->font);
  return f;
}

void closeGdiFont(GdiFont* f) {
  if (f == nullptr) return;
  if (f->measure != nullptr) {
    if (f->previous != nullptr) SelectObject(f->measure, f->previous);
    DeleteDC(f->measure);
  }
  if (!DeleteObject(f->font)) logFile().write("Unable to delete font...bad stuff will follow!\n");
  delete f;
}

void measureGdiText(const GdiFont* f, const char* text, int32_t length, int32_t* width,
                    int32_t* height) {
  SIZE extent = {0, 0};
  if (f != nullptr && f->measure != nullptr)
    GetTextExtentPoint32A(f->measure, text, length, &extent);
  *width = extent.cx;
  *height = extent.cy;
}

void drawGdiText(const GdiFont* f, HDC target, int32_t x, int32_t y, const char* text,
                 int32_t length) {
  if (target == nullptr) return;
  HGDIOBJ previous = f != nullptr && f->font != nullptr ? SelectObject(target, f->font) : nullptr;
  SetTextColor(target, RGB(255, 255, 255));
  SetBkMode(target, TRANSPARENT);
  ExtTextOutA(target, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
  // Written text must be in the pixel memory before it is read directly.
  GdiFlush();
  if (previous != nullptr) SelectObject(target, previous);
}

std::string gdiFontName(const GdiFont* f) {
  if (f == nullptr || f->measure == nullptr || f->font == nullptr) return "";
  UINT size = GetOutlineTextMetricsA(f->measure, 0, nullptr);
  if (size < sizeof(OUTLINETEXTMETRICA)) return "";
  std::vector<char> metrics(size);
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics.data());
  if (GetOutlineTextMetricsA(f->measure, size, otm) == 0) return "";
  // The name fields hold offsets from the start of the metrics; the "face
  // name" is the full name, such as "Comic Sans MS Bold".
  auto offset = reinterpret_cast<uintptr_t>(otm->otmpFaceName);
  if (offset == 0 || offset >= size) return "";
  return std::string(metrics.data() + offset, strnlen(metrics.data() + offset, size - offset));
}
