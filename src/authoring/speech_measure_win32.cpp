// The Windows checker measures with the saver's own text path: the Win32
// painter's font, bold "Comic Sans MS" of the cell height asked for. The
// finding names the font the system really gives for it, as Wine and some
// systems draw with a stand-in.
#include <string>

#include "authoring/speech_measure.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/gdi_text.h"

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
  static const SpeechMeasure gdi = [] {
    SpeechMeasure m;
    // The font operations need no show.
    m.painter = gdiPainter(nullptr);
    m.source = source.c_str();
    return m;
  }();
  return gdi;
}
