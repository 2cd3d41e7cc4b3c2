// The 24-bit, three-plane, run-length PCX variant: header check, sizes and
// decoding from memory. Portable; Image::loadPcx wraps it in platform objects.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pcx {

constexpr size_t kHeaderSize = 128;

// Sizes derived from the header's window.
struct Layout {
  int32_t width = 0;
  int32_t height = 0;
  // One plane's part of every encoded row: width rounded up to even, or
  // the odd width itself when the bytes-per-line field gives exactly that.
  int32_t planeLength = 0;
  // Bytes per row of the bottom-up BGR picture: 3 x width rounded up to 4.
  int32_t stride = 0;
  // 3 x planeLength and stride x height; both fit in a signed 32-bit value.
  size_t lineBytes = 0;
  size_t pictureBytes = 0;
};

// Manufacturer 10, version 5, run-length encoding, 8 bits, three planes.
bool formatAccepted(const uint8_t header[kHeaderSize]);

enum class LayoutResult {
  ok,
  // The window gives a width or height below 1.
  empty,
  // The picture would not fit in 32-bit arithmetic.
  tooLarge,
};

// Computes the sizes from the window; out is filled as far as it can be.
LayoutResult layoutOf(const uint8_t header[kHeaderSize], Layout* out);

// Decodes height rows from data (size bytes, the file after its header) into
// picture (pictureBytes, bottom-up BGR rows of stride bytes), using line
// (lineBytes) as scratch. Never reads past data or writes past line; a run
// that would cross the end of a row is cut there. When the data ends early
// the unfinished row is completed with black and the rows below it are left
// as they are. Returns false when the data ran out.
bool decode(const uint8_t* data, size_t size, const Layout& layout, uint8_t* line,
            uint8_t* picture);

}  // namespace pcx
