// Pixel work of the speech boxes on 24-bit bottom-up BGR surfaces: the 2:1
// shrink that darkens the target where the double-size text is white, and
// the smoothed tail line. Portable.
#pragma once

#include <cstdint>

namespace textpixels {

// A view of an Image's pixel memory; row y (0 at the top) starts at
// pixels + (height - 1 - y) * stride.
struct Surface {
  uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
};

// Sets the three bytes to 0; outside the surface nothing happens.
void blacken(const Surface& s, int32_t x, int32_t y);
// Each byte c becomes c * f / 256; outside the surface nothing happens.
void darken(const Surface& s, int32_t x, int32_t y, int32_t f);

// Every 2 x 2 block of source darkens one pixel of target, top-left at
// (x0, y0), by 256 minus the mean of the block's blue bytes.
void shrinkAndDarken(const Surface& source, const Surface& target, int32_t x0, int32_t y0);

// The tail between the text end and the speaker end, two pixels thick, with
// shaded edges on slanted lines.
void drawTailLine(const Surface& target, int32_t textX, int32_t textY, int32_t speakerX,
                  int32_t speakerY);

}  // namespace textpixels
