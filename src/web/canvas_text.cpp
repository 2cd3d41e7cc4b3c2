#include "web/canvas_text.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "core/picture/font_cell.h"

struct Font {
  int32_t cellHeight = 0;
  int32_t ascent = 0;
  int64_t emSize64 = 0;
};

// The page's side (zorbel_show.js): the advance of each byte of the line
// at that em size, and the line drawn white on black into a mask of one
// byte a pixel with its baseline at ascent.
EM_JS(int32_t, jsTextWidth, (const char* text, int32_t length, double emSize),
      { return Module.zorbelText.width(HEAPU8.subarray(text, text + length), emSize); });
EM_JS(void, jsTextMask,
      (const char* text, int32_t length, double emSize, int32_t left, int32_t baseline,
       uint8_t* mask, int32_t width, int32_t height),
      {
        Module.zorbelText.mask(HEAPU8.subarray(text, text + length), emSize, left, baseline,
                               HEAPU8.subarray(mask, mask + width * height), width, height);
      });

namespace {

FontCell& pageCell() {
  static FontCell cell;
  return cell;
}

Font* openFont(int32_t cellHeight) {
  if (cellHeight < 1 || pageCell().total <= 0) return nullptr;
  Font* font = new (std::nothrow) Font();
  if (font == nullptr) return nullptr;
  font->cellHeight = cellHeight;
  font->ascent = ascentForCell(pageCell(), cellHeight);
  font->emSize64 = emSizeForCell(pageCell(), cellHeight);
  return font;
}

void closeFont(Font* font) { delete font; }

void measure(Font* font, const char* text, int32_t length, int32_t* width, int32_t* height) {
  *width = 0;
  *height = 0;
  if (font == nullptr || length <= 0) return;
  *width = jsTextWidth(text, length, static_cast<double>(font->emSize64) / 64);
  *height = font->cellHeight;
}

// Glyphs reach a little beyond their advances and the cell: the mask has a
// margin of one cell around the line.
void draw(Font* font, const textpixels::Surface& target, int32_t x, int32_t y, const char* text,
          int32_t length) {
  if (font == nullptr || target.pixels == nullptr || length <= 0) return;
  double emSize = static_cast<double>(font->emSize64) / 64;
  int64_t margin = font->cellHeight;
  int64_t width = jsTextWidth(text, length, emSize) + 2 * margin;
  int64_t height = font->cellHeight + 2 * margin;
  if (width * height > (int64_t{1} << 28)) return;
  auto* mask = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(width * height), 1));
  if (mask == nullptr) return;
  jsTextMask(text, length, emSize, static_cast<int32_t>(margin),
             static_cast<int32_t>(margin + font->ascent), mask, static_cast<int32_t>(width),
             static_cast<int32_t>(height));
  for (int64_t my = 0; my < height; ++my) {
    int64_t ty = y - margin + my;
    if (ty < 0 || ty >= target.height) continue;
    uint8_t* line = target.pixels + static_cast<size_t>(target.height - 1 - ty) * target.stride;
    const uint8_t* bits = mask + my * width;
    for (int64_t mx = 0; mx < width; ++mx) {
      int64_t tx = x - margin + mx;
      if (bits[mx] == 0 || tx < 0 || tx >= target.width) continue;
      std::memset(line + 3 * tx, 0xFF, 3);
    }
  }
  std::free(mask);
}

}  // namespace

bool useFontFile(const uint8_t* file, size_t size) {
  FontCell cell;
  if (!readFontCell(file, size, &cell)) return false;
  pageCell() = cell;
  return true;
}

bool useFontCell(int32_t unitsPerEm, int32_t ascent, int32_t total) {
  if (unitsPerEm <= 0 || ascent <= 0 || total <= ascent) return false;
  pageCell() = chooseFontCell(unitsPerEm, ascent, total - ascent, 0, 0);
  return true;
}

TextFace canvasTextFace() {
  TextFace face;
  face.open = openFont;
  face.close = closeFont;
  face.measure = measure;
  face.draw = draw;
  return face;
}
