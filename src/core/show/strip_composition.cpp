#include "win32/gdi/strip_composition.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <new>

#include "base/log_file.h"
#include "win32/gdi/image.h"
#include "win32/gdi/text_box.h"
#include "core/strip/strip_randomizer.h"
#include "win32/gdi/error_display.h"
#include "core/show/placement.h"
#include "core/show/show_state.h"

namespace {

constexpr int32_t kStripHeight = 339;
constexpr int32_t kPanelGap = 10;
constexpr size_t kMessageSize = 512;

void reportPanel(const char* name, const char* what) {
  char message[kMessageSize];
  std::snprintf(message, sizeof message, "%s: %s", name, what);
  showError(message, false);
}

}  // namespace

bool drawPanel(Image& strip, StripPanel& panel, int32_t x, int32_t y) {
  Image* picture = new (std::nothrow) Image(panel.imageFile);
  if (picture == nullptr) {
    reportPanel(panel.imageFile, "Unable to allocate!");
    logFile().write(panel.imageFile).write(": Unable to allocate!\n");
    return false;
  }
  if (picture->failed) {
    picture->release();
    delete picture;
    reportPanel(panel.imageFile, "Unable to load!");
    return false;
  }
  picture->draw(x, y, strip.dc);
  for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
    if (box->text[0] == '.' && box->text[1] == '\0') continue;
    if (!drawTextBox(&strip, x + box->textX, y + box->textY, box->text, x + box->tailX,
                     y + box->tailY, box->textSize, x, x + picture->width - 3, false)) {
      picture->release();
      delete picture;
      return false;
    }
  }
  picture->release();
  delete picture;
  return true;
}

void createStripSurface(StripRandomizer& randomizer, Image& strip) {
  int64_t total = 2 * kPanelGap;
  for (int i = 0; i < 3; ++i) {
    StripPanel& panel = randomizer.panel(i);
    panel.width = pcxFileWidth(panel.imageFile);
    total += panel.width;
  }
  // Widths come from untrusted headers; a sum beyond what a surface can
  // hold is simply one that cannot be created.
  int32_t width = total > 0 && total < INT32_MAX ? static_cast<int32_t>(total) : 0;
  strip.create(width, kStripHeight);
}

bool drawStripPanels(StripRandomizer& randomizer, Image& strip) {
  int32_t offset = 0;
  for (int i = 0; i < 3; ++i) {
    StripPanel& panel = randomizer.panel(i);
    if (!drawPanel(strip, panel, offset, 0)) return false;
    offset += panel.width + kPanelGap;
  }
  return true;
}

void showRandomStrip(const char* templatePath) {
  StripRandomizer* randomizer = new (std::nothrow) StripRandomizer(templatePath);
  if (randomizer == nullptr) {
    logFile().write(templatePath).write(": Unable to allocate\n");
    return;
  }
  Image strip;
  randomizer->pickRandomStrip();
  if (randomizer->statusCode() != 0) {
    logFile()
        .write("Error #")
        .write(randomizer->statusCode())
        .write(": ")
        .write(randomizer->statusMessage())
        .write("\n");
    showError(randomizer->statusMessage(), true);
  } else {
    createStripSurface(*randomizer, strip);
    int32_t x = randomPlace(screenWidth - strip.width);
    int32_t y = randomPlace(screenHeight - kStripHeight);
    lastDrawnRect = {x, y, strip.width, kStripHeight};
    if (!strip.failed && drawStripPanels(*randomizer, strip)) {
      eraseScreen();
      strip.draw(x, y);
    } else {
      logFile().write("Strip Error.\n");
    }
  }
  strip.release();
  delete randomizer;
}
