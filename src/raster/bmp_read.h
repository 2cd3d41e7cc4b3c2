// BMP files as the Windows saver's image loader takes them, decoded into a
// 24-bit bottom-up BGR picture. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bmpread {

// What the headers say; filled by readLayout.
struct Layout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown tells the row order
  bool topDown = false;
  // Bytes per row of the 24-bit result: 3 x width rounded up to 4.
  int32_t stride = 0;
  size_t pictureBytes = 0;
};

// Checks the headers: the "BM" file header, an information header of 12,
// 40, 52, 56, 108 or 124 bytes, 1, 4, 8, 16, 24 or 32 bits per pixel,
// no compression, bit fields for 16 and 32 bits, or run-length coding for
// 4 and 8 bits, and a size whose 24-bit picture fits in 32 bits.
bool readLayout(const uint8_t* file, size_t size, Layout* out);

// Decodes the file into picture (pictureBytes, zeroed by the caller).
// Pixels that the file does not reach stay as they are. False when the
// pixel data lies outside the file or a palette index is out of range.
bool decode(const uint8_t* file, size_t size, const Layout& layout, uint8_t* picture);

}  // namespace bmpread
