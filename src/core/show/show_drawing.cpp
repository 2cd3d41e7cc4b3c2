// The standard drawing of a show step: everything through the show's
// painter, captions through the text box, errors on the error display and
// strips through strip composition.
#include "core/show/error_display.h"
#include "core/show/show.h"
#include "core/show/show_text.h"
#include "core/show/strip_composition.h"

namespace {

Picture* openPicture(Show& show, const char* name, bool* failed, int32_t* width, int32_t* height) {
  const Painter& p = show.painter;
  Picture* picture = p.openPicture(p.context, name);
  if (picture == nullptr) return nullptr;
  PictureFacts facts = p.facts(p.context, picture);
  *failed = facts.failed;
  *width = facts.width;
  *height = facts.height;
  return picture;
}

void drawPicture(Show& show, Picture* picture, int32_t x, int32_t y, bool mirrored) {
  show.painter.drawPicture(show.painter.context, picture, nullptr, x, y, mirrored);
}

void closePicture(Show& show, Picture* picture) {
  show.painter.closePicture(show.painter.context, picture);
}

void eraseScreen(Show& show) { show.painter.eraseScreen(show.painter.context); }

void drawCaption(Show& show, int32_t anchorX, int32_t top, const char* text) {
  drawTextBox(show, nullptr, anchorX, top, text, 0, 0, 20, 0, show.screenWidth, true);
}

void showScreenError(Show& show, const char* message) { showError(show, message, true); }

void playSound(Show& show, const char* path) { show.painter.playSound(show.painter.context, path); }

}  // namespace

// Built each time rather than kept in a table, so that the core holds no
// data that needs fixing up when it is loaded.
ShowDrawing paintedDrawing() {
  ShowDrawing d;
  d.openPicture = openPicture;
  d.drawPicture = drawPicture;
  d.closePicture = closePicture;
  d.eraseScreen = eraseScreen;
  d.drawCaption = drawCaption;
  d.showError = showScreenError;
  d.showStrip = showRandomStrip;
  d.playSound = playSound;
  return d;
}
