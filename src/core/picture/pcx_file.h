// A PCX file read and decoded into memory, every failure logged in the
// saver's words under the file's path. Both savers wrap the pixels in their
// own picture objects.
#pragma once

#include <cstdint>

#include "core/picture/pcx_decode.h"

namespace pcx {

// The decoded picture (pictureBytes of bottom-up BGR rows, to be released
// with std::free) with its sizes in layout; null when it cannot be had,
// and then layout still holds the sizes of a picture too large to be held
// (zero otherwise). Rows a cut-off file never reaches stay black.
uint8_t* loadFile(const char* path, Layout* layout);

}  // namespace pcx
