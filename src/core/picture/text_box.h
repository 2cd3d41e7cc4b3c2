// The one text routine: screen mode (white text over the screen) and image
// mode (smoothed black text and a speech tail written into a surface).
#pragma once

#include <cstdint>

#include "core/picture/painter.h"
#include "core/picture/strip_geometry.h"

struct TextBox {
  int32_t anchorX = 0;    // every line is centred on it
  int32_t top = 0;        // of the first line; 1 or more
  const char* text = "";  // lines separated by backslashes
  int32_t tailX = 0;      // image mode: the speaker point
  int32_t tailY = 0;
  int32_t size = 0;
  // No line starts left of leftBound; one that would reach rightBound is
  // moved left.
  int32_t leftBound = 0;
  int32_t rightBound = 0;
};

// Image mode into target, whose facts must give pixel memory. False when
// the text is refused as out of bounds; lines written before stay written.
// A target without pixel memory takes nothing, and that is no refusal.
bool writeSpeechText(const Painter& painter, Picture* target, const TextBox& box);

// Screen mode, over the screen's area from 0 to screenWidth. False when
// the top is refused; nothing is drawn and nothing refused when the
// screen cannot be drawn on.
bool writeScreenText(const Painter& painter, const TextBox& box, int32_t screenWidth);

// Calls each(line, length, y, last) for every backslash-separated line,
// y growing by the line advance from top, until each returns false.
// Returns whether every line was taken.
template <typename Each>
bool forEachTextLine(const char* text, int32_t top, Each each) {
  int32_t y = top;
  const char* start = text;
  for (;;) {
    const char* end = start;
    while (*end != '\\' && *end != '\0') ++end;
    bool last = *end == '\0';
    if (!each(start, static_cast<int32_t>(end - start), y, last)) return false;
    if (last) return true;
    y += strip::kLineAdvance;
    start = end + 1;
  }
}

// x of a line of width w centred on anchorX by its half width; the left
// bound wins over the right one.
int32_t placeTextLine(int32_t anchorX, int32_t halfWidth, int32_t w, int32_t leftBound,
                      int32_t rightBound);

// Speech is measured at twice its size, each side rounded up to even, and
// written shrunk by half. Calls each(line, length, y, w2, h2, last) with
// every line's measure while the line ends above height. Returns whether
// every line fitted.
template <typename Each>
bool forEachSpeechLine(const Painter& p, Font* font, const char* text, int32_t top, int32_t height,
                       Each each) {
  return forEachTextLine(text, top, [&](const char* line, int32_t length, int32_t y, bool last) {
    int32_t w2 = 0;
    int32_t h2 = 0;
    p.measureText(p.context, font, line, length, &w2, &h2);
    w2 += w2 & 1;
    h2 += h2 & 1;
    if (y + h2 >= height) return false;
    return each(line, length, y, w2, h2, last);
  });
}

// Where a speech line so measured lands in the strip: placed by
// placeTextLine, from the row above y.
PixelRect speechLineRect(const TextBox& box, int32_t y, int32_t w2, int32_t h2);
