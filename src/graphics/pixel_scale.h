// Whole-number enlargement of 24-bit bottom-up surfaces, nearest neighbour
// with no smoothing, and its reverse. Portable.
#pragma once

#include <cstdint>

#include "graphics/text_pixels.h"

namespace pixelscale {

// Each pixel of source fills a scale x scale block of target, from the
// top-left corner; what does not fit in target is left out.
void enlarge(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale);

// Each pixel of target takes the top-left pixel of its scale x scale block
// of source: an enlarged picture comes back as it was.
void reduce(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale);

}  // namespace pixelscale
