#include "core/show/show_text.h"

#include "core/picture/text_box.h"
#include "core/show/error_display.h"
#include "core/show/show.h"

bool drawTextBox(Show& show, Picture* target, int32_t anchorX, int32_t top, const char* text,
                 int32_t tailX, int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound,
                 bool screenMode) {
  TextBox box;
  box.anchorX = anchorX;
  box.top = top;
  box.text = text != nullptr ? text : "";
  box.tailX = tailX;
  box.tailY = tailY;
  box.size = size;
  box.leftBound = leftBound;
  box.rightBound = rightBound;
  bool fits = screenMode ? writeScreenText(show.painter, box, show.screenWidth)
                         : writeSpeechText(show.painter, target, box);
  if (!fits) showError(show, kOutOfBoundsMessage, true);
  return fits;
}
