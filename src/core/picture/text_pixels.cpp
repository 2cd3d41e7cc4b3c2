#include "core/picture/text_pixels.h"

#include <cstdlib>

namespace textpixels {
namespace {

uint8_t* at(const Surface& s, int32_t x, int32_t y) {
  if (s.pixels == nullptr || x < 0 || y < 0 || x >= s.width || y >= s.height) return nullptr;
  return s.pixels + static_cast<intptr_t>(s.height - 1 - y) * s.stride + 3 * intptr_t{x};
}

// The tail's shades follow single-precision arithmetic step by step. The
// x87 unit of the 32-bit build keeps intermediates in extended precision,
// which moves shades and edge pixels; a store through a volatile float
// rounds every step to single precision on any unit.
float single(float value) {
  volatile float rounded = value;
  return rounded;
}

}  // namespace

void blacken(const Surface& s, int32_t x, int32_t y) {
  uint8_t* p = at(s, x, y);
  if (p == nullptr) return;
  p[0] = p[1] = p[2] = 0;
}

void darken(const Surface& s, int32_t x, int32_t y, int32_t f) {
  uint8_t* p = at(s, x, y);
  if (p == nullptr) return;
  for (int i = 0; i < 3; ++i) p[i] = static_cast<uint8_t>((p[i] * f) / 256);
}

void shrinkAndDarken(const Surface& source, const Surface& target, int32_t x0, int32_t y0) {
  if (source.pixels == nullptr || source.height < 2) return;
  for (int32_t k = 0; k < source.height / 2; ++k) {
    const uint8_t* upper =
        source.pixels + static_cast<intptr_t>(source.height - 1 - 2 * k) * source.stride;
    const uint8_t* lower = upper - source.stride;
    for (int32_t i = 0; i < source.width / 2; ++i) {
      uint8_t* p = at(target, x0 + i, y0 + k);
      if (p == nullptr) continue;
      int32_t a = (upper[6 * i] + upper[6 * i + 3] + lower[6 * i] + lower[6 * i + 3]) / 4;
      int32_t f = 256 - a;
      for (int b = 0; b < 3; ++b) p[b] = static_cast<uint8_t>((p[b] * f) / 256);
    }
  }
}

void drawTailLine(const Surface& target, int32_t textX, int32_t textY, int32_t speakerX,
                  int32_t speakerY) {
  // The walk goes up the picture from the lower end; on one row it starts
  // at the speaker.
  int32_t x = speakerX, y = speakerY, finishX = textX, finishY = textY;
  if (textY > speakerY) {
    x = textX;
    y = textY;
    finishX = speakerX;
    finishY = speakerY;
  }
  int32_t dx = std::abs(finishX - x);
  int32_t sx = finishX >= x ? 1 : -1;
  int32_t dy = y - finishY;
  if (dy == 0) {
    for (int32_t k = 1; k <= dx; ++k) {
      blacken(target, x + k * sx, y);
      blacken(target, x + k * sx, y - 1);
    }
  } else if (dx == 0) {
    for (int32_t k = 1; k <= dy; ++k) {
      blacken(target, x, y - k);
      blacken(target, x + 1, y - k);
    }
  } else if (dx == dy) {
    for (int32_t k = 1; k <= dy; ++k) {
      x += sx;
      --y;
      blacken(target, x, y);
      blacken(target, x + 1, y);
    }
  } else if (dy > dx) {
    float slope = single(static_cast<float>(dx) / static_cast<float>(dy));
    float fraction = 0.0f;
    for (int32_t k = 0; k < dy - 1; ++k) {
      fraction = single(fraction + slope);
      if (fraction >= 1.0f) {
        fraction = single(fraction - 1.0f);
        x += sx;
      }
      int32_t h = static_cast<int32_t>(single(fraction * 255.0f));
      --y;
      darken(target, x, y, h);
      blacken(target, x + sx, y);
      darken(target, x + 2 * sx, y, 255 - h);
    }
  } else {
    float slope = single(static_cast<float>(dy) / static_cast<float>(dx));
    float fraction = 0.0f;
    for (int32_t k = 0; k < dx - 1; ++k) {
      fraction = single(fraction + slope);
      if (fraction >= 1.0f) {
        fraction = single(fraction - 1.0f);
        --y;
      }
      int32_t h = static_cast<int32_t>(single(fraction * 256.0f));
      x += sx;
      darken(target, x, y, h);
      blacken(target, x, y - 1);
      darken(target, x, y - 2, 255 - h);
    }
  }
}

}  // namespace textpixels
