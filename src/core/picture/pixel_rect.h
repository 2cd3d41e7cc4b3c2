// A rectangle of pixels.
#pragma once

#include <cstdint>

struct PixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The rectangle between edges already known to fit in 32 bits.
inline PixelRect rectBetween(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  PixelRect r;
  r.x = static_cast<int32_t>(left);
  r.y = static_cast<int32_t>(top);
  r.width = static_cast<int32_t>(right - left);
  r.height = static_cast<int32_t>(bottom - top);
  return r;
}

// Whether the point lies in r; in 64 bits, so that no edge overflows.
inline bool rectHolds(const PixelRect& r, int64_t x, int64_t y) {
  return x >= r.x && x < int64_t{r.x} + r.width && y >= r.y && y < int64_t{r.y} + r.height;
}
