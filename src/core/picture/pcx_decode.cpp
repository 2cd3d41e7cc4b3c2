#include "core/picture/pcx_decode.h"

#include <cstring>

namespace pcx {
namespace {

int32_t signed16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

// Fills one encoded row into line; returns the read position after it, or
// size when the data ran out first (with *complete false).
size_t decodeRow(const uint8_t* data, size_t size, size_t pos, uint8_t* line, size_t lineBytes,
                 bool* complete) {
  size_t count = 0;
  while (count < lineBytes) {
    // Literal bytes come in long stretches in photographic pictures.
    while (pos < size && count < lineBytes && data[pos] < 0xC0) line[count++] = data[pos++];
    if (count >= lineBytes) break;
    if (pos + 1 >= size) {
      *complete = false;
      std::memset(line + count, 0, lineBytes - count);
      return size;
    }
    size_t run = data[pos] & 0x3Fu;
    uint8_t value = data[pos + 1];
    pos += 2;
    if (run > lineBytes - count) run = lineBytes - count;
    std::memset(line + count, value, run);
    count += run;
  }
  *complete = true;
  return pos;
}

void planesToRow(const uint8_t* line, int32_t width, int32_t planeLength, uint8_t* row) {
  const uint8_t* red = line;
  const uint8_t* green = line + planeLength;
  const uint8_t* blue = line + 2 * planeLength;
  for (int32_t x = 0; x < width; ++x) {
    row[0] = blue[x];
    row[1] = green[x];
    row[2] = red[x];
    row += 3;
  }
}

}  // namespace

bool formatAccepted(const uint8_t header[kHeaderSize]) {
  return header[0] == 10 && header[1] == 5 && header[2] == 1 && header[3] == 8 && header[65] == 3;
}

LayoutResult layoutOf(const uint8_t header[kHeaderSize], Layout* out) {
  // 64-bit arithmetic: Xmax 32767 with Xmin -32768 is a legal window.
  int64_t width = int64_t{signed16(header + 8)} - signed16(header + 4) + 1;
  int64_t height = int64_t{signed16(header + 10)} - signed16(header + 6) + 1;
  if (width < 1 || height < 1) return LayoutResult::empty;
  // Rows are padded to an even length, but common writers store odd widths
  // unpadded and say so in the bytes-per-line field; only that one case
  // trusts the field, as any other value would shear the picture.
  int64_t planeLength = width + (width & 1);
  int64_t bytesPerLine = header[66] | (header[67] << 8);
  if (bytesPerLine == width) planeLength = width;
  int64_t stride = (3 * width + 3) & ~int64_t{3};
  int64_t pictureBytes = stride * height;
  out->width = static_cast<int32_t>(width);
  out->height = static_cast<int32_t>(height);
  out->planeLength = static_cast<int32_t>(planeLength);
  out->stride = static_cast<int32_t>(stride);
  out->lineBytes = static_cast<size_t>(3 * planeLength);
  if (pictureBytes > INT32_MAX) return LayoutResult::tooLarge;
  out->pictureBytes = static_cast<size_t>(pictureBytes);
  return LayoutResult::ok;
}

bool decode(const uint8_t* data, size_t size, const Layout& layout, uint8_t* line,
            uint8_t* picture) {
  size_t pos = 0;
  for (int32_t r = 0; r < layout.height; ++r) {
    bool complete = true;
    pos = decodeRow(data, size, pos, line, layout.lineBytes, &complete);
    uint8_t* row = picture + static_cast<size_t>(layout.height - 1 - r) * layout.stride;
    planesToRow(line, layout.width, layout.planeLength, row);
    if (!complete) return false;
  }
  return true;
}

}  // namespace pcx
