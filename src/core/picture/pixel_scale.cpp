#include "core/picture/pixel_scale.h"

#include <algorithm>
#include <cstddef>

namespace pixelscale {

namespace {

uint8_t* rowOf(const textpixels::Surface& s, int32_t y) {
  return s.pixels + static_cast<ptrdiff_t>(s.height - 1 - y) * s.stride;
}

bool usable(const textpixels::Surface& s) {
  return s.pixels != nullptr && s.width > 0 && s.height > 0 && s.stride >= 3 * s.width;
}

}  // namespace

void reduce(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale) {
  if (scale < 1 || !usable(source) || !usable(target)) return;
  int32_t columns = std::min(target.width, (source.width + scale - 1) / scale);
  int32_t rows = std::min(target.height, (source.height + scale - 1) / scale);
  for (int32_t ty = 0; ty < rows; ++ty) {
    const uint8_t* from = rowOf(source, ty * scale);
    uint8_t* to = rowOf(target, ty);
    for (int32_t tx = 0; tx < columns; ++tx) {
      const uint8_t* pixel = from + 3 * tx * scale;
      to[3 * tx] = pixel[0];
      to[3 * tx + 1] = pixel[1];
      to[3 * tx + 2] = pixel[2];
    }
  }
}

}  // namespace pixelscale
