#include "core/show/strip_composition.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "base/data_path.h"
#include "base/log_file.h"
#include "core/picture/pcx_width.h"
#include "core/picture/strip_geometry.h"
#include "core/show/error_display.h"
#include "core/show/placement.h"
#include "core/show/show.h"
#include "core/show/show_text.h"
#include "core/strip/strip_randomizer.h"

namespace {

void reportPanel(Show& show, const char* name, const char* what) {
  char message[kDataPathSize];
  std::snprintf(message, sizeof message, "%s: %s", name, what);
  showError(show, message, false);
}

}  // namespace

bool drawPanel(Show& show, Picture* strip, StripPanel& panel, int32_t x, int32_t y) {
  const Painter& p = show.painter;
  Picture* picture = p.openPicture(p.context, panel.imageFile);
  if (picture == nullptr) {
    reportPanel(show, panel.imageFile, "Unable to allocate!");
    logFile().write(panel.imageFile).write(": Unable to allocate!\n");
    return false;
  }
  PictureFacts facts = p.facts(p.context, picture);
  if (facts.failed) {
    p.closePicture(p.context, picture);
    reportPanel(show, panel.imageFile, "Unable to load!");
    return false;
  }
  p.drawPicture(p.context, picture, strip, x, y, false);
  for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
    if (box->text[0] == '.' && box->text[1] == '\0') continue;
    if (!drawTextBox(show, strip, x + box->textX, y + box->textY, box->text, x + box->tailX,
                     y + box->tailY, box->textSize, x, x + facts.width - 3, false)) {
      p.closePicture(p.context, picture);
      return false;
    }
  }
  p.closePicture(p.context, picture);
  return true;
}

Picture* createStripSurface(Show& show, StripRandomizer& randomizer) {
  int64_t total = strip::kPanelGaps;
  for (int i = 0; i < 3; ++i) {
    StripPanel& panel = randomizer.panel(i);
    panel.width = pcxFileWidth(show.folder(), panel.imageFile);
    total += panel.width;
  }
  // Widths come from untrusted headers; a sum beyond what a surface can
  // hold is simply one that cannot be created.
  int32_t width = total > 0 && total < INT32_MAX ? static_cast<int32_t>(total) : 0;
  return show.painter.createPicture(show.painter.context, width, strip::kHeight);
}

bool drawStripPanels(Show& show, StripRandomizer& randomizer, Picture* strip) {
  int32_t offset = 0;
  for (int i = 0; i < 3; ++i) {
    StripPanel& panel = randomizer.panel(i);
    if (!drawPanel(show, strip, panel, offset, 0)) return false;
    offset += panel.width + strip::kPanelGap;
  }
  return true;
}

void showRandomStrip(Show& show, const char* templatePath) {
  StripRandomizer* randomizer = new (std::nothrow) StripRandomizer(templatePath);
  if (randomizer == nullptr) {
    logFile().writePath(templatePath).write(": Unable to allocate\n");
    return;
  }
  const Painter& p = show.painter;
  randomizer->pickRandomStrip(show.random);
  if (randomizer->statusCode() != 0) {
    logFile()
        .write("Error #")
        .write(randomizer->statusCode())
        .write(": ")
        .write(randomizer->statusMessage())
        .write("\n");
    showError(show, randomizer->statusMessage(), true);
  } else {
    Picture* strip = createStripSurface(show, *randomizer);
    PictureFacts facts = p.facts(p.context, strip);
    int32_t x = randomPlace(show.random, show.screenWidth - facts.width);
    int32_t y = randomPlace(show.random, show.screenHeight - strip::kHeight);
    show.lastDrawnRect = {x, y, facts.width, strip::kHeight};
    if (!facts.failed && drawStripPanels(show, *randomizer, strip)) {
      p.eraseScreen(p.context);
      p.drawPicture(p.context, strip, nullptr, x, y, false);
    } else {
      logFile().write("Strip Error.\n");
    }
    p.closePicture(p.context, strip);
  }
  delete randomizer;
}
