#include "raster/screen_buffer.h"

#include <cstdlib>
#include <cstring>

#include "core/picture/bmp_header.h"

ScreenBuffer::~ScreenBuffer() { delete buffer_; }

bool ScreenBuffer::resize(int32_t windowWidth, int32_t windowHeight, uint32_t scaleSetting) {
  PixelRect window;
  window.width = windowWidth > 0 ? windowWidth : 1;
  window.height = windowHeight > 0 ? windowHeight : 1;
  layout_ = makeScreenLayout(window, window.width, window.height, scaleSetting);
  delete buffer_;
  buffer_ = createPicture(::showWidth(layout_), ::showHeight(layout_));
  if (buffer_ != nullptr && buffer_->failed) {
    delete buffer_;
    buffer_ = nullptr;
  }
  eraseWindow_ = true;
  changed_ = PixelRect();
  return buffer_ != nullptr;
}

textpixels::Surface ScreenBuffer::surface() const {
  return buffer_ != nullptr ? buffer_->surface() : textpixels::Surface();
}

void ScreenBuffer::erase() {
  if (buffer_ == nullptr) return;
  std::memset(buffer_->pixels, 0, static_cast<size_t>(buffer_->stride) * buffer_->height);
  eraseWindow_ = true;
  changed_ = PixelRect();
}

void ScreenBuffer::touch(const PixelRect& rect) { changed_ = unionOf(changed_, rect); }

void ScreenBuffer::touchAll() {
  eraseWindow_ = true;
  PixelRect all;
  all.width = showWidth();
  all.height = showHeight();
  changed_ = all;
}

bool ScreenBuffer::takeErase() {
  bool erase = eraseWindow_;
  eraseWindow_ = false;
  return erase;
}

PixelRect ScreenBuffer::takeChanged() {
  PixelRect rect = clipToShow(layout_, changed_);
  changed_ = PixelRect();
  return rect;
}

namespace {

uint32_t channelInto(uint8_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  int bits = 0;
  while (bits + shift < 32 && ((mask >> (shift + bits)) & 1u) != 0) ++bits;
  uint32_t v = bits >= 8 ? static_cast<uint32_t>(value) << (bits - 8) : value >> (8 - bits);
  return (v << shift) & mask;
}

void putPixel(uint8_t* at, uint32_t value, const PixelFormat& f) {
  for (int i = 0; i < f.bytesPerPixel; ++i) {
    int byte = f.msbFirst ? f.bytesPerPixel - 1 - i : i;
    at[i] = static_cast<uint8_t>(value >> (8 * byte));
  }
}

}  // namespace

void enlargeInto(const textpixels::Surface& show, const PixelRect& rect, int32_t scale,
                 const PixelFormat& format, uint8_t* dest, int32_t destStride) {
  if (show.pixels == nullptr || dest == nullptr || scale < 1) return;
  const size_t bpp = static_cast<size_t>(format.bytesPerPixel);
  const bool plain32 = bpp == 4 && !format.msbFirst && format.redMask == 0xFF0000 &&
                       format.greenMask == 0x00FF00 && format.blueMask == 0x0000FF;
  // A canvas's RGBA bytes, read as a little-endian word.
  const bool rgba32 = bpp == 4 && !format.msbFirst && format.redMask == 0x0000FF &&
                      format.greenMask == 0x00FF00 && format.blueMask == 0xFF0000;
  for (int32_t y = 0; y < rect.height; ++y) {
    const uint8_t* from = show.pixels +
                          static_cast<size_t>(show.height - 1 - (rect.y + y)) * show.stride +
                          3 * static_cast<size_t>(rect.x);
    uint8_t* first = dest + static_cast<size_t>(y) * scale * destStride;
    uint8_t* to = first;
    for (int32_t x = 0; x < rect.width; ++x, from += 3) {
      uint32_t value;
      if (plain32) {
        value = static_cast<uint32_t>(from[0]) | static_cast<uint32_t>(from[1]) << 8 |
                static_cast<uint32_t>(from[2]) << 16;
      } else if (rgba32) {
        value = static_cast<uint32_t>(from[2]) | static_cast<uint32_t>(from[1]) << 8 |
                static_cast<uint32_t>(from[0]) << 16;
      } else {
        value = channelInto(from[2], format.redMask) | channelInto(from[1], format.greenMask) |
                channelInto(from[0], format.blueMask);
      }
      value |= format.opaqueBits;
      for (int32_t k = 0; k < scale; ++k, to += bpp) putPixel(to, value, format);
    }
    // The other rows of the block are copies of the first.
    size_t rowBytes = static_cast<size_t>(rect.width) * scale * bpp;
    for (int32_t k = 1; k < scale; ++k)
      std::memcpy(first + static_cast<size_t>(k) * destStride, first, rowBytes);
  }
}

uint8_t* enlargeForShot(const textpixels::Surface& show, const PixelRect& rect, int32_t scale) {
  int64_t width = int64_t{rect.width} * scale;
  int64_t height = int64_t{rect.height} * scale;
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return nullptr;
  uint32_t size = bmp::imageSize(static_cast<int32_t>(width), static_cast<int32_t>(height));
  if (size == 0 || show.pixels == nullptr) return nullptr;
  auto* bits = static_cast<uint8_t*>(std::calloc(size, 1));
  if (bits == nullptr) return nullptr;
  uint32_t row = bmp::rowLength(static_cast<int32_t>(width));
  for (int64_t y = 0; y < height; ++y) {
    int32_t sy = rect.y + static_cast<int32_t>(y / scale);
    if (sy < 0 || sy >= show.height) continue;
    const uint8_t* from = show.pixels + static_cast<size_t>(show.height - 1 - sy) * show.stride;
    uint8_t* to = bits + static_cast<size_t>(height - 1 - y) * row;
    for (int64_t x = 0; x < width; ++x) {
      int32_t sx = rect.x + static_cast<int32_t>(x / scale);
      if (sx < 0 || sx >= show.width) continue;
      std::memcpy(to + 3 * x, from + 3 * static_cast<size_t>(sx), 3);
    }
  }
  return bits;
}
