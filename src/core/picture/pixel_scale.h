// Whole-number reduction of 24-bit bottom-up surfaces: a screen enlarged
// block by block read back at the show's size. Portable.
#pragma once

#include <cstdint>

#include "core/picture/text_pixels.h"

namespace pixelscale {

// Each pixel of target takes the top-left pixel of its scale x scale block
// of source, so that a picture enlarged without smoothing comes back as it
// was; what does not fit in target is left out.
void reduce(const textpixels::Surface& source, const textpixels::Surface& target, int32_t scale);

}  // namespace pixelscale
