#include <new>

#include "base/log_file.h"
#include "win32/gdi/image.h"
#include "win32/gdi/text_box.h"
#include "win32/gdi/error_display.h"
#include "core/show/show_state.h"

namespace {

// The text box reports a refused top through showError; the fallback lines
// below start at row 1, which the text box accepts, and a call made while
// another is under way writes its message only, so the two never chase
// each other.
int depth = 0;
void (*errorSink)(const char*) = nullptr;

constexpr int32_t kFallbackTop = 1;
constexpr int32_t kNoticeTop = 20;
constexpr int32_t kMessageSize = 15;

void flushLeft(const char* text, int32_t top) {
  drawTextBox(nullptr, 0, top, text, 0, 0, kMessageSize, 0, screenWidth, true);
}

void show(const char* message, bool clearFirst) {
  if (clearFirst) eraseScreen();
  if (depth > 1) {
    flushLeft(message, kFallbackTop);
    return;
  }
  Image* graphic = new (std::nothrow) Image("error.pcx");
  if (graphic == nullptr) {
    flushLeft(message, kFallbackTop);
    flushLeft("UNABLE TO ALLOCATE ERROR GRAPHIC!", kNoticeTop);
    logFile().write("Unable to allocate error graphic!\n");
    return;
  }
  if (graphic->failed) {
    flushLeft(message, kFallbackTop);
    flushLeft("UNABLE TO LOAD ERROR GRAPHIC!", kNoticeTop);
  } else {
    int32_t w = graphic->width;
    int32_t h = graphic->height;
    int32_t x = (screenWidth - w - 20) / 2;
    int32_t y = (screenHeight - h - 20) / 2;
    graphic->draw(x, y);
    drawTextBox(nullptr, screenWidth / 2, y + h + 3, message, 0, 0, kMessageSize, 1,
                screenWidth - 1, true);
  }
  graphic->release();
  delete graphic;
}

}  // namespace

void showError(const char* message, bool clearFirst) {
  if (message == nullptr) message = "";
  if (errorSink != nullptr) {
    errorSink(message);
    return;
  }
  ++depth;
  show(message, clearFirst);
  --depth;
}

void routeErrorsTo(void (*sink)(const char* message)) { errorSink = sink; }
