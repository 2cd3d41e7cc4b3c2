#include <cstring>

#include "base/log_file.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"
#include "win32/gdi/text_box.h"
#include "core/picture/text_pixels.h"
#include "win32/shell/globals.h"
#include "win32/gdi/error_display.h"
#include "core/show/show_state.h"

namespace {

// Strip surfaces are this tall; a speaker point below them gets no tail.
constexpr int32_t kStripHeight = 339;
constexpr int32_t kLineAdvance = 16;
constexpr int32_t kTailBelowLine = 19;
const char* const kOutOfBounds = "Text out of bounds.";

HFONT makeFont(int32_t height) {
  HFONT font =
      CreateFontA(height, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Comic Sans MS");
  if (font == nullptr) logFile().write(static_cast<int32_t>(GetLastError())).write("\n");
  return font;
}

void deleteFont(HFONT font) {
  if (!DeleteObject(font)) logFile().write("Unable to delete font...bad stuff will follow!\n");
}

// Selects the font when there is one; returns what to select back.
HGDIOBJ useFont(HDC dc, HFONT font) { return font != nullptr ? SelectObject(dc, font) : nullptr; }

void restoreFont(HDC dc, HGDIOBJ previous) {
  if (previous != nullptr) SelectObject(dc, previous);
}

int32_t roundUpEven(int32_t v) { return v + (v & 1); }

// x of a line of width w centred on anchorX; the left bound wins over the
// right one.
int32_t placeLine(int32_t anchorX, int32_t halfWidth, int32_t w, int32_t leftBound,
                  int32_t rightBound) {
  int32_t x = anchorX - halfWidth;
  if (x + w >= rightBound) x = rightBound - w;
  if (x < leftBound) x = leftBound;
  return x;
}

textpixels::Surface surfaceOf(const Image& image) {
  textpixels::Surface s;
  s.pixels = image.pixels;
  s.width = image.width;
  s.height = image.height;
  s.stride = image.stride;
  return s;
}

// Calls each(line, length, y, last) for every backslash-separated line.
template <typename Each>
bool forEachLine(const char* text, int32_t top, Each each) {
  int32_t y = top;
  const char* start = text;
  for (;;) {
    const char* end = std::strchr(start, '\\');
    bool last = end == nullptr;
    if (last) end = start + std::strlen(start);
    if (!each(start, static_cast<int>(end - start), y, last)) return false;
    if (last) return true;
    y += kLineAdvance;
    start = end + 1;
  }
}

// Rows that the lines of a screen text can touch below its top.
int32_t screenTextHeight(const char* text, int32_t size) {
  int32_t lines = 1;
  for (const char* c = text; *c != '\0'; ++c) lines += *c == '\\' ? 1 : 0;
  constexpr int32_t kMargin = 4;
  return (lines - 1) * kLineAdvance + size + 5 + kMargin;
}

bool drawOnScreen(int32_t anchorX, int32_t top, const char* text, int32_t size, int32_t leftBound,
                  int32_t rightBound) {
  if (top < 1) {
    HDC screen = GetDC(saverWindow);
    if (screen == nullptr) return true;
    ReleaseDC(saverWindow, screen);
    showError(kOutOfBounds, true);
    return false;
  }
  // Drawn over what the screen shows: white text on no background.
  ScreenCanvas screen(0, top, screenWidth, screenTextHeight(text, size), true);
  if (screen.dc == nullptr) return true;
  HFONT font = makeFont(size + 5);
  SetTextColor(screen.dc, RGB(255, 255, 255));
  SetBkMode(screen.dc, TRANSPARENT);
  HGDIOBJ previous = useFont(screen.dc, font);
  forEachLine(text, top, [&](const char* line, int length, int32_t y, bool) {
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(screen.dc, line, length, &extent);
    int32_t w = extent.cx;
    int32_t x = placeLine(anchorX, w / 2, w, leftBound, rightBound);
    ExtTextOutA(screen.dc, x, y, 0, nullptr, line, static_cast<UINT>(length), nullptr);
    return true;
  });
  restoreFont(screen.dc, previous);
  deleteFont(font);
  return true;
}

bool drawIntoImage(Image* target, int32_t anchorX, int32_t top, const char* text, int32_t tailX,
                   int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound) {
  // Only a surface with pixel memory can take smoothed text.
  if (target == nullptr || target->dc == nullptr || target->pixels == nullptr) return true;
  HFONT font = makeFont(2 * size + 8);
  SetTextColor(target->dc, RGB(255, 255, 255));
  SetBkMode(target->dc, TRANSPARENT);
  if (top < 1 || top >= target->height) {
    showError(kOutOfBounds, true);
    deleteFont(font);
    return false;
  }
  HDC measure = CreateCompatibleDC(target->dc);
  HGDIOBJ measurePrevious = measure != nullptr ? useFont(measure, font) : nullptr;
  auto dropMeasure = [&]() {
    if (measure == nullptr) return;
    restoreFont(measure, measurePrevious);
    DeleteDC(measure);
    measure = nullptr;
  };
  textpixels::Surface dest = surfaceOf(*target);
  int32_t lastTop = top;
  bool inBounds = forEachLine(text, top, [&](const char* line, int length, int32_t y, bool last) {
    SIZE extent = {0, 0};
    if (measure != nullptr) GetTextExtentPoint32A(measure, line, length, &extent);
    int32_t w2 = roundUpEven(extent.cx);
    int32_t h2 = roundUpEven(extent.cy);
    if (y + h2 >= target->height) return false;
    lastTop = y;
    if (!last && w2 == 0) return true;
    Image temp;
    temp.create(w2, h2);
    if (!temp.failed) {
      std::memset(temp.pixels, 0, static_cast<size_t>(temp.stride) * temp.height);
      int32_t x = placeLine(anchorX, w2 / 4, w2 / 2, leftBound, rightBound);
      HGDIOBJ tempPrevious = useFont(temp.dc, font);
      SetTextColor(temp.dc, RGB(255, 255, 255));
      SetBkMode(temp.dc, TRANSPARENT);
      ExtTextOutA(temp.dc, 0, 0, 0, nullptr, line, static_cast<UINT>(length), nullptr);
      // The text must be in the pixel memory before it is read directly.
      GdiFlush();
      restoreFont(temp.dc, tempPrevious);
      if (last) dropMeasure();
      textpixels::shrinkAndDarken(surfaceOf(temp), dest, x, y - 1);
    }
    temp.release();
    return true;
  });
  dropMeasure();
  if (!inBounds) {
    showError(kOutOfBounds, true);
    deleteFont(font);
    return false;
  }
  if (tailX >= 0 && tailY >= 0 && tailX < rightBound && tailY < kStripHeight) {
    int32_t textX = anchorX < rightBound ? anchorX : leftBound + (rightBound - leftBound) / 2;
    textpixels::drawTailLine(dest, textX, lastTop + kTailBelowLine, tailX, tailY - 1);
  }
  deleteFont(font);
  return true;
}

}  // namespace

bool drawTextBox(Image* target, int32_t anchorX, int32_t top, const char* text, int32_t tailX,
                 int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound,
                 bool screenMode) {
  if (text == nullptr) text = "";
  if (screenMode) return drawOnScreen(anchorX, top, text, size, leftBound, rightBound);
  return drawIntoImage(target, anchorX, top, text, tailX, tailY, size, leftBound, rightBound);
}
