#include "raster/bmp_read.h"

#include <cstring>

namespace bmpread {
namespace {

constexpr size_t kFileHeader = 14;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

uint32_t u16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Everything decode needs from the headers.
struct Format {
  uint32_t headerSize = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool topDown = false;
  uint32_t bits = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  size_t paletteAt = 0;
  uint32_t paletteEntries = 0;
  uint32_t paletteEntrySize = 4;
  size_t dataAt = 0;
};

bool readFormat(const uint8_t* file, size_t size, Format* f) {
  if (file == nullptr || size < kFileHeader + 12 || file[0] != 'B' || file[1] != 'M') return false;
  f->dataAt = u32(file + 10);
  f->headerSize = u32(file + kFileHeader);
  const uint8_t* h = file + kFileHeader;
  uint32_t hs = f->headerSize;
  if (hs != 12 && hs != 40 && hs != 52 && hs != 56 && hs != 108 && hs != 124) return false;
  if (size < kFileHeader + hs) return false;
  int64_t height = 0;
  if (hs == 12) {
    f->width = static_cast<int32_t>(u16(h + 4));
    height = u16(h + 6);
    f->bits = u16(h + 10);
    f->paletteEntrySize = 3;
  } else {
    f->width = static_cast<int32_t>(u32(h + 4));
    height = static_cast<int32_t>(u32(h + 8));
    f->bits = u16(h + 14);
    f->compression = u32(h + 16);
    f->paletteEntries = u32(h + 32);
  }
  if (u16(h + (hs == 12 ? 8 : 12)) != 1) return false;  // planes
  f->topDown = height < 0;
  if (height < 0) height = -height;
  if (f->width <= 0 || height <= 0 || height > INT32_MAX) return false;
  f->height = static_cast<int32_t>(height);

  switch (f->compression) {
    case kRgb:
      if (f->bits != 1 && f->bits != 4 && f->bits != 8 && f->bits != 16 && f->bits != 24 &&
          f->bits != 32) {
        return false;
      }
      break;
    case kRle8:
    case kRle4:
      if (f->bits != (f->compression == kRle8 ? 8u : 4u) || f->topDown) return false;
      break;
    case kBitFields:
      if (f->bits != 16 && f->bits != 32) return false;
      break;
    default:
      return false;
  }

  size_t after = kFileHeader + hs;
  if (f->compression == kBitFields) {
    // In the header from 52 bytes on; after a 40-byte one, three more values.
    const uint8_t* m = hs >= 52 ? h + 40 : file + after;
    if (hs < 52) after += 12;
    if (size < static_cast<size_t>(m - file) + 12) return false;
    for (int i = 0; i < 3; ++i) f->masks[i] = u32(m + 4 * i);
  } else if (f->bits == 16) {
    f->masks[0] = 0x7C00;
    f->masks[1] = 0x03E0;
    f->masks[2] = 0x001F;
  } else if (f->bits == 32) {
    f->masks[0] = 0xFF0000;
    f->masks[1] = 0x00FF00;
    f->masks[2] = 0x0000FF;
  }
  if (f->bits <= 8) {
    uint32_t full = 1u << f->bits;
    if (f->paletteEntries == 0 || f->paletteEntries > full) f->paletteEntries = full;
    f->paletteAt = after;
  } else {
    f->paletteEntries = 0;
  }
  return true;
}

// One channel of a bit-field pixel, scaled to 0..255.
uint8_t channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  uint32_t top = mask >> shift;
  uint64_t value = (pixel & mask) >> shift;
  return static_cast<uint8_t>(value * 255u / top);
}

struct Output {
  const Layout& layout;
  const Format& format;
  uint8_t* picture;
  uint8_t palette[256][3];

  // Row r of the file (bottom-up unless topDown) as a row of the result.
  uint8_t* row(int32_t r) const {
    int32_t fromBottom = format.topDown ? layout.height - 1 - r : r;
    return picture + static_cast<size_t>(fromBottom) * static_cast<size_t>(layout.stride);
  }
  void putIndex(int32_t r, int32_t x, uint32_t index) const {
    if (x < 0 || x >= layout.width || r < 0 || r >= layout.height) return;
    uint8_t* p = row(r) + 3 * static_cast<size_t>(x);
    const uint8_t* c = index < 256 ? palette[index] : palette[0];
    p[0] = c[0];
    p[1] = c[1];
    p[2] = c[2];
  }
};

void decodeRows(const uint8_t* data, size_t available, const Output& out) {
  const Format& f = out.format;
  size_t rowBytes = ((static_cast<size_t>(f.bits) * static_cast<size_t>(f.width) + 31) / 32) * 4;
  for (int32_t r = 0; r < f.height; ++r) {
    size_t start = static_cast<size_t>(r) * rowBytes;
    if (start + rowBytes > available) return;  // cut-off file: the rest stays black
    const uint8_t* s = data + start;
    uint8_t* d = out.row(r);
    for (int32_t x = 0; x < f.width; ++x) {
      size_t xs = static_cast<size_t>(x);
      uint8_t* p = d + 3 * xs;
      if (f.bits <= 8) {
        uint32_t perByte = 8 / f.bits;
        uint32_t byte = s[xs / perByte];
        uint32_t shift = 8 - f.bits * (static_cast<uint32_t>(xs % perByte) + 1);
        out.putIndex(r, x, (byte >> shift) & ((1u << f.bits) - 1));
      } else if (f.bits == 24) {
        std::memcpy(p, s + 3 * xs, 3);
      } else {
        uint32_t pixel = f.bits == 16 ? u16(s + 2 * xs) : u32(s + 4 * xs);
        p[0] = channel(pixel, f.masks[2]);
        p[1] = channel(pixel, f.masks[1]);
        p[2] = channel(pixel, f.masks[0]);
      }
    }
  }
}

void decodeRle(const uint8_t* data, size_t available, const Output& out) {
  const Format& f = out.format;
  bool four = f.compression == kRle4;
  int32_t r = 0;
  int32_t x = 0;
  size_t i = 0;
  auto put = [&](uint32_t index) { out.putIndex(r, x++, index); };
  while (i + 1 < available && r < f.height) {
    uint32_t count = data[i];
    uint32_t value = data[i + 1];
    i += 2;
    if (count > 0) {
      for (uint32_t k = 0; k < count; ++k) {
        put(four ? ((k & 1u) == 0 ? value >> 4 : value & 15u) : value);
      }
    } else if (value == 0) {
      ++r;
      x = 0;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (i + 1 >= available) return;
      x += data[i];
      r += data[i + 1];
      i += 2;
    } else {
      // value pixels as they stand, padded to a whole 16-bit word.
      size_t bytes = four ? (value + 1) / 2 : value;
      if (i + bytes > available) return;
      for (uint32_t k = 0; k < value; ++k) {
        uint32_t byte = data[i + (four ? k / 2 : k)];
        put(four ? ((k & 1u) == 0 ? byte >> 4 : byte & 15u) : byte);
      }
      i += (bytes + 1) & ~size_t{1};
    }
  }
}

}  // namespace

bool readLayout(const uint8_t* file, size_t size, Layout* out) {
  Format f;
  if (!readFormat(file, size, &f)) return false;
  int64_t stride = (3 * int64_t{f.width} + 3) & ~int64_t{3};
  int64_t bytes = stride * f.height;
  if (bytes > INT32_MAX) return false;
  out->width = f.width;
  out->height = f.height;
  out->topDown = f.topDown;
  out->stride = static_cast<int32_t>(stride);
  out->pictureBytes = static_cast<size_t>(bytes);
  return true;
}

bool decode(const uint8_t* file, size_t size, const Layout& layout, uint8_t* picture) {
  Format f;
  if (!readFormat(file, size, &f) || f.dataAt >= size) return false;
  Output out{layout, f, picture, {}};
  for (uint32_t i = 0; i < f.paletteEntries; ++i) {
    size_t at = f.paletteAt + static_cast<size_t>(i) * f.paletteEntrySize;
    if (at + 3 > size) break;
    std::memcpy(out.palette[i], file + at, 3);  // blue, green, red
  }
  const uint8_t* data = file + f.dataAt;
  size_t available = size - f.dataAt;
  if (f.compression == kRle8 || f.compression == kRle4) {
    decodeRle(data, available, out);
  } else {
    decodeRows(data, available, out);
  }
  return true;
}

}  // namespace bmpread
