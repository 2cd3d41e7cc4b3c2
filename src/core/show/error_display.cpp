#include "core/show/error_display.h"

#include "base/log_file.h"
#include "core/picture/text_box.h"
#include "core/show/show.h"

namespace {

// The text box refuses a top below 1: the lines without the graphic start
// at row 1, which it takes.
constexpr int32_t kFallbackTop = 1;
constexpr int32_t kNoticeTop = 20;
constexpr int32_t kMessageSize = 15;

const char kGraphicFile[] = "error.pcx";

void flushLeft(Show& show, const char* text, int32_t top) {
  TextBox box;
  box.top = top;
  box.text = text;
  box.size = kMessageSize;
  box.rightBound = show.screenWidth;
  writeScreenText(show.painter, box, show.screenWidth);
}

}  // namespace

void showError(Show& show, const char* message, bool clearFirst) {
  if (message == nullptr) message = "";
  const Painter& p = show.painter;
  if (p.errorSink != nullptr) {
    p.errorSink(p.context, message);
    return;
  }
  if (clearFirst) p.eraseScreen(p.context);
  Picture* graphic = p.openPicture(p.context, kGraphicFile);
  if (graphic == nullptr) {
    flushLeft(show, message, kFallbackTop);
    flushLeft(show, "UNABLE TO ALLOCATE ERROR GRAPHIC!", kNoticeTop);
    logFile().write("Unable to allocate error graphic!\n");
    return;
  }
  PictureFacts facts = p.facts(p.context, graphic);
  if (facts.failed) {
    flushLeft(show, message, kFallbackTop);
    flushLeft(show, "UNABLE TO LOAD ERROR GRAPHIC!", kNoticeTop);
  } else {
    int32_t x = (show.screenWidth - facts.width - 20) / 2;
    int32_t y = (show.screenHeight - facts.height - 20) / 2;
    p.drawPicture(p.context, graphic, nullptr, x, y, false);
    TextBox below;
    below.anchorX = show.screenWidth / 2;
    below.top = y + facts.height + 3;
    below.text = message;
    below.size = kMessageSize;
    below.leftBound = 1;
    below.rightBound = show.screenWidth - 1;
    // On a screen too small for the graphic the message has no room
    // below it: the refusal is shown alone, on a black screen.
    if (!writeScreenText(p, below, show.screenWidth)) {
      p.eraseScreen(p.context);
      flushLeft(show, kOutOfBoundsMessage, kFallbackTop);
    }
  }
  p.closePicture(p.context, graphic);
}
