// The Windows checker measures with the saver's own text path: the Win32
// painter's font, bold "Comic Sans MS" of the cell height asked for.
#include "authoring/speech_measure.h"
#include "win32/gdi/gdi_painter.h"

const SpeechMeasure& platformSpeechMeasure() {
  static const SpeechMeasure gdi = [] {
    SpeechMeasure m;
    // The font operations need no show.
    m.painter = gdiPainter(nullptr);
    m.source = "measured with GDI in the saver's font, bold Comic Sans MS";
    return m;
  }();
  return gdi;
}
