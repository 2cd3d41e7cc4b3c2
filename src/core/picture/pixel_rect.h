// A rectangle of pixels.
#pragma once

#include <cstdint>

struct PixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};
