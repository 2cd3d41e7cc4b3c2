// The Linux checker measures with the Linux saver's text path: FreeType, in
// the font the saver finds through fontconfig. Built without the saver, or
// with no font to be had, it estimates, and says so.
#include "authoring/speech_measure.h"

#ifdef ZORBEL_FREETYPE_TEXT
#include <string>

#include "x11/font_freetype.h"

namespace {

Font* openFreeType(void*, int32_t cellHeight) { return openTextFont(cellHeight); }
void closeFreeType(void*, Font* font) { closeTextFont(font); }
void measureFreeType(void*, Font* font, const char* text, int32_t length, int32_t* width,
                     int32_t* height) {
  measureTextLine(font, text, length, width, height);
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
