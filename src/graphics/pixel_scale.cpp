#include "graphics/pixel_scale.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace pixelscale {

namespace {

uint8_t* rowOf(const textpixels::Surface& s, int32_t y) {
  return s.pixels + static_cast<ptrdiff_t>(s.height - 1 - y) * s.stride;
}

bool usable(const textpixels::Surface& s) {
  return s.pixels != nullptr && s.width > 0 && s.height > 0 && s.stride >= 3 * s.width;
}

}  // namespace

void enlarge(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale) {
  if (scale < 1 || !usable(source) || !usable(target)) return;
  int32_t columns = std::min(source.width, (target.width + scale - 1) / scale);
  int32_t rows = std::min(source.height, (target.height + scale - 1) / scale);
  for (int32_t sy = 0; sy < rows; ++sy) {
    const uint8_t* from = rowOf(source, sy);
    int32_t ty = sy * scale;
    uint8_t* first = rowOf(target, ty);
    int32_t tx = 0;
    for (int32_t sx = 0; sx < columns; ++sx) {
      for (int32_t i = 0; i < scale && tx < target.width; ++i, ++tx) {
        std::memcpy(first + 3 * tx, from + 3 * sx, 3);
      }
    }
    // The block's other rows are copies of its first.
    for (int32_t i = 1; i < scale && ty + i < target.height; ++i) {
      std::memcpy(rowOf(target, ty + i), first, static_cast<size_t>(3 * tx));
    }
  }
}

void reduce(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale) {
  if (scale < 1 || !usable(source) || !usable(target)) return;
  int32_t columns = std::min(target.width, (source.width + scale - 1) / scale);
  int32_t rows = std::min(target.height, (source.height + scale - 1) / scale);
  for (int32_t ty = 0; ty < rows; ++ty) {
    const uint8_t* from = rowOf(source, ty * scale);
    uint8_t* to = rowOf(target, ty);
    for (int32_t tx = 0; tx < columns; ++tx) std::memcpy(to + 3 * tx, from + 3 * tx * scale, 3);
  }
}

}  // namespace pixelscale
