// The Linux checker measures with the Linux saver's text path: FreeType, in
// the font the saver finds through fontconfig. Built without the saver, or
// with no font to be had, it estimates, and says so.
#include "authoring/speech_measure.h"

#ifdef ZORBEL_FREETYPE_TEXT
#include <map>
#include <string>

#include "x11/font_freetype.h"

namespace {

// A line's width is the sum of its letters' advances, so each letter is
// measured once per size: a folder of many templates is measured in time
// that grows with its letters, not with FreeType's work per glyph.
struct SizedFont {
  SizedFont() = default;
  SizedFont(const SizedFont&) = delete;
  SizedFont& operator=(const SizedFont&) = delete;
  ~SizedFont() { closeTextFont(font); }
  Font* font = nullptr;
  int32_t advance[256] = {};
  bool known[256] = {};
};

Font* openFreeType(void*, int32_t cellHeight) {
  static std::map<int32_t, SizedFont> sizes;
  SizedFont& sized = sizes[cellHeight];
  // Kept open for the run: a checker asks for a handful of sizes.
  if (sized.font == nullptr) sized.font = openTextFont(cellHeight);
  return sized.font != nullptr ? reinterpret_cast<Font*>(&sized) : nullptr;
}

void closeFreeType(void*, Font*) {}

void measureFreeType(void*, Font* font, const char* text, int32_t length, int32_t* width,
                     int32_t* height) {
  SizedFont& sized = *reinterpret_cast<SizedFont*>(font);
  int32_t total = 0;
  for (int32_t i = 0; i < length; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (!sized.known[c]) {
      int32_t cell = 0;
      measureTextLine(sized.font, text + i, 1, &sized.advance[c], &cell);
      sized.known[c] = true;
    }
    total += sized.advance[c];
  }
  *width = total;
  int32_t cell = 0;
  int32_t none = 0;
  measureTextLine(sized.font, "", 0, &none, &cell);
  *height = cell;
}

}  // namespace

const SpeechMeasure& platformSpeechMeasure() {
  // Opening one font finds the file, whose name tells the author which font.
  static const std::string file = [] {
    Font* probe = openTextFont(32);
    std::string name = probe != nullptr ? textFontFile() : "";
    closeTextFont(probe);
    return name;
  }();
  static const std::string source = "measured with FreeType in the Linux saver's font, " + file;
  static const SpeechMeasure freeType = [] {
    SpeechMeasure m;
    m.painter.openFont = openFreeType;
    m.painter.closeFont = closeFreeType;
    m.painter.measureText = measureFreeType;
    m.source = source.c_str();
    return m;
  }();
  return file.empty() ? estimatedSpeechMeasure() : freeType;
}

#else

const SpeechMeasure& platformSpeechMeasure() { return estimatedSpeechMeasure(); }

#endif
