// The Windows checker measures with the saver's own text path: the Win32
// painter's font, bold "Comic Sans MS" of the cell height asked for. The
// finding names the font the system really gives for it, as Wine and some
// systems draw with a stand-in. One font is kept per size and each line is
// measured once: making a font for every line is what costs, above all
// under Wine, and a folder repeats its sizes and many of its lines.
#include <map>
#include <string>
#include <utility>

#include "authoring/speech_measure.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/gdi_text.h"

namespace {

const Painter& gdi() {
  // The font operations need no show.
  static const Painter painter = gdiPainter(nullptr);
  return painter;
}

struct KeptFont {
  Font* font = nullptr;
  int32_t cell = 0;
};

Font* openKept(void*, int32_t cellHeight) {
  static std::map<int32_t, KeptFont> kept;
  KeptFont& k = kept[cellHeight];
  if (k.font == nullptr) {
    k.font = gdi().openFont(gdi().context, cellHeight);
    k.cell = cellHeight;
  }
  return k.font != nullptr ? reinterpret_cast<Font*>(&k) : nullptr;
}

void closeKept(void*, Font*) {}

void measureKept(void*, Font* font, const char* text, int32_t length, int32_t* width,
                 int32_t* height) {
  static std::map<std::pair<int32_t, std::string>, std::pair<int32_t, int32_t>> measured;
  const KeptFont& k = *reinterpret_cast<const KeptFont*>(font);
  auto key = std::make_pair(k.cell, std::string(text, static_cast<size_t>(length)));
  auto known = measured.find(key);
  if (known == measured.end()) {
    std::pair<int32_t, int32_t> size(0, 0);
    gdi().measureText(gdi().context, k.font, text, length, &size.first, &size.second);
    known = measured.emplace(std::move(key), size).first;
  }
  *width = known->second.first;
  *height = known->second.second;
}

}  // namespace

const SpeechMeasure& platformSpeechMeasure() {
  static const std::string source = [] {
    GdiFont* probe = openGdiFont(32);
    std::string name = gdiFontName(probe);
    closeGdiFont(probe);
    std::string said = "measured with GDI in the saver's font, bold Comic Sans MS";
    if (name.empty()) return said;
    if (name.compare(0, 13, "Comic Sans MS") == 0) return said + " (" + name + ")";
    return said + ", which this system draws with " + name;
  }();
  static const SpeechMeasure kept = [] {
    SpeechMeasure m;
    m.painter.openFont = openKept;
    m.painter.closeFont = closeKept;
    m.painter.measureText = measureKept;
    m.source = source.c_str();
    return m;
  }();
  return kept;
}
