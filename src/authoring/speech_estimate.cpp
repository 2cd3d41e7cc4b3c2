// The estimate: advance widths of the speech font's letters (bold, in
// thousandths of its em, for the Windows-1252 characters 32 to 255), scaled
// to the cell height the saver asks for. The cell is 1.35 em tall in the
// stand-in font. Letters it lacks count as half an em.
#include <cstdint>

#include "authoring/speech_measure.h"
#include "core/picture/strip_geometry.h"

namespace {

constexpr int32_t kCellUnits = 1350;
constexpr int32_t kMissingUnits = 500;

const int16_t kAdvance[224] = {
    356, 261, 325, 711, 602, 681, 625, 206, 357, 357, 379, 440, 191, 409,  181,  438, 572, 393, 498,
    493, 469, 531, 523, 450, 512, 523, 207, 223, 543, 465, 543, 499, 849,  552,  611, 601, 623, 593,
    581, 706, 714, 405, 471, 563, 513, 806, 652, 638, 553, 695, 583, 546,  524,  669, 538, 847, 707,
    582, 575, 335, 571, 335, 526, 516, 205, 508, 525, 470, 522, 491, 321,  548,  528, 243, 261, 487,
    236, 796, 543, 517, 521, 511, 403, 425, 328, 518, 425, 620, 490, 458,  429,  382, 219, 382, 606,
    500, 689, 500, 287, 500, 452, 666, 500, 500, 317, 500, 546, 347, 1018, 500,  575, 500, 500, 204,
    204, 371, 369, 335, 622, 806, 397, 586, 425, 349, 829, 500, 429, 582,  356,  261, 492, 658, 504,
    492, 257, 430, 317, 610, 329, 580, 466, 409, 610, 280, 269, 467, 295,  288,  205, 526, 546, 198,
    184, 225, 303, 579, 709, 767, 751, 499, 552, 552, 552, 552, 552, 552,  1066, 601, 593, 593, 593,
    593, 405, 405, 405, 405, 651, 652, 638, 638, 638, 638, 638, 387, 629,  669,  669, 669, 669, 582,
    518, 518, 508, 508, 508, 508, 508, 508, 773, 470, 491, 491, 491, 491,  245,  245, 245, 245, 477,
    543, 517, 517, 517, 517, 517, 438, 517, 518, 518, 518, 518, 458, 521,  458,
};

Font* openEstimate(void*, int32_t cellHeight) {
  return cellHeight > 0 ? reinterpret_cast<Font*>(static_cast<intptr_t>(cellHeight)) : nullptr;
}

void measureEstimate(void*, Font* font, const char* text, int32_t length, int32_t* width,
                     int32_t* height) {
  int64_t cell = static_cast<int64_t>(reinterpret_cast<intptr_t>(font));
  int64_t total = 0;
  for (int32_t i = 0; i < length; ++i) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    int64_t units = c >= 32 ? kAdvance[c - 32] : kMissingUnits;
    // Each letter lands on whole pixels, as a rasteriser places it.
    total += (units * cell + kCellUnits / 2) / kCellUnits;
  }
  *width = static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
  *height = static_cast<int32_t>(cell);
}

void closeEstimate(void*, Font*) {}

}  // namespace

const SpeechMeasure& estimatedSpeechMeasure() {
  static const SpeechMeasure estimate = [] {
    SpeechMeasure m;
    m.painter.openFont = openEstimate;
    m.painter.measureText = measureEstimate;
    m.painter.closeFont = closeEstimate;
    m.source =
        "estimated from the letter widths of Comic Neue Bold, the stand-in for the saver's font, "
        "as fontconfig found no font for this checker";
    return m;
  }();
  return estimate;
}

int32_t speechLineWidth(const SpeechMeasure& measure, int32_t textSize, const char* text,
                        int32_t length) {
  const Painter& p = measure.painter;
  if (p.openFont == nullptr || p.measureText == nullptr) return -1;
  Font* font = p.openFont(p.context, strip::speechFontHeight(textSize));
  if (font == nullptr) return -1;
  int32_t width = -1;
  int32_t height = 0;
  p.measureText(p.context, font, text, length, &width, &height);
  if (p.closeFont != nullptr) p.closeFont(p.context, font);
  if (width < 0) return -1;
  return (width + (width & 1)) / 2;
}
