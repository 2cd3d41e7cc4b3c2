#include "core/picture/text_box.h"

#include <cstring>

namespace {

// Rows that the lines of a screen text can touch below its top.
int32_t screenTextHeight(const char* text, int32_t size) {
  int32_t lines = 1;
  for (const char* c = text; *c != '\0'; ++c) lines += *c == '\\' ? 1 : 0;
  constexpr int32_t kMargin = 4;
  return (lines - 1) * strip::kLineAdvance + strip::screenFontHeight(size) + kMargin;
}

// Each line at twice the size, white on a black surface of its own, shrunk
// onto the target while darkening it: the shrink alone smooths the text.
void writeSpeechLine(const Painter& p, Font* font, const textpixels::Surface& dest,
                     const TextBox& box, const char* line, int32_t length, int32_t y, int32_t w2,
                     int32_t h2) {
  Picture* temp = p.createPicture(p.context, w2, h2);
  PictureFacts facts = p.facts(p.context, temp);
  if (!facts.failed && facts.pixels.pixels != nullptr) {
    std::memset(facts.pixels.pixels, 0,
                static_cast<size_t>(facts.pixels.stride) * static_cast<size_t>(facts.height));
    PixelRect at = speechLineRect(box, y, w2, h2);
    p.drawText(p.context, font, temp, 0, 0, line, length);
    textpixels::shrinkAndDarken(facts.pixels, dest, at.x, at.y);
  }
  p.closePicture(p.context, temp);
}

}  // namespace

int32_t placeTextLine(int32_t anchorX, int32_t halfWidth, int32_t w, int32_t leftBound,
                      int32_t rightBound) {
  int32_t x = anchorX - halfWidth;
  if (x + w >= rightBound) x = rightBound - w;
  if (x < leftBound) x = leftBound;
  return x;
}

PixelRect speechLineRect(const TextBox& box, int32_t y, int32_t w2, int32_t h2) {
  PixelRect r;
  r.x = placeTextLine(box.anchorX, w2 / 4, w2 / 2, box.leftBound, box.rightBound);
  r.y = y - 1;
  r.width = w2 / 2;
  r.height = h2 / 2;
  return r;
}

bool writeSpeechText(const Painter& p, Picture* target, const TextBox& box) {
  const char* text = box.text != nullptr ? box.text : "";
  PictureFacts targetFacts = p.facts(p.context, target);
  // Only a surface with pixel memory can take smoothed text.
  if (targetFacts.failed || targetFacts.pixels.pixels == nullptr) return true;
  const textpixels::Surface& dest = targetFacts.pixels;
  Font* font = p.openFont(p.context, strip::speechFontHeight(box.size));
  if (box.top < 1 || box.top >= dest.height) {
    p.closeFont(p.context, font);
    return false;
  }
  int32_t lastTop = box.top;
  bool inBounds = forEachSpeechLine(
      p, font, text, box.top, dest.height,
      [&](const char* line, int32_t length, int32_t y, int32_t w2, int32_t h2, bool last) {
        lastTop = y;
        // An empty line other than the last draws nothing; the last one is
        // tried, and its empty surface cannot be made.
        if (!last && w2 == 0) return true;
        writeSpeechLine(p, font, dest, box, line, length, y, w2, h2);
        return true;
      });
  if (inBounds && box.tailX >= 0 && box.tailY >= 0 && box.tailX < box.rightBound &&
      box.tailY < strip::kHeight) {
    int32_t textX = box.anchorX < box.rightBound
                        ? box.anchorX
                        : box.leftBound + (box.rightBound - box.leftBound) / 2;
    textpixels::drawTailLine(dest, textX, lastTop + strip::kTailBelowLine, box.tailX,
                             box.tailY - 1);
  }
  p.closeFont(p.context, font);
  return inBounds;
}

bool writeScreenText(const Painter& p, const TextBox& box, int32_t screenWidth) {
  const char* text = box.text != nullptr ? box.text : "";
  if (box.top < 1) return !p.screenReady(p.context);
  // Drawn over what the screen shows: white text on no background.
  PixelRect area;
  area.y = box.top;
  area.width = screenWidth;
  area.height = screenTextHeight(text, box.size);
  Picture* screen = p.openScreenArea(p.context, area);
  if (screen == nullptr) return true;
  Font* font = p.openFont(p.context, strip::screenFontHeight(box.size));
  forEachTextLine(text, box.top, [&](const char* line, int32_t length, int32_t y, bool) {
    int32_t w = 0;
    int32_t h = 0;
    p.measureText(p.context, font, line, length, &w, &h);
    int32_t x = placeTextLine(box.anchorX, w / 2, w, box.leftBound, box.rightBound);
    p.drawText(p.context, font, screen, x, y, line, length);
    return true;
  });
  p.closeFont(p.context, font);
  p.closePicture(p.context, screen);
  return true;
}
