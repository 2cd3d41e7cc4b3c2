#include "raster/screen_buffer.h"

#include <cstdlib>
#include <cstring>

#include "core/picture/bmp_header.h"

namespace {

// The show a smaller window shrinks, and how far it may shrink it.
constexpr int32_t kFullShowWidth = 1024;
constexpr int32_t kFullShowHeight = 768;
constexpr int64_t kMostShrink = 8;

}  // namespace

ScreenBuffer::~ScreenBuffer() { delete buffer_; }

bool ScreenBuffer::resize(int32_t windowWidth, int32_t windowHeight, uint32_t scaleSetting) {
  PixelRect window;
  window.width = windowWidth > 0 ? windowWidth : 1;
  window.height = windowHeight > 0 ? windowHeight : 1;
  layout_ = makeScreenLayout(window, window.width, window.height, scaleSetting);
  windowWidth_ = window.width;
  windowHeight_ = window.height;
  int32_t width = ::showWidth(layout_);
  int32_t height = ::showHeight(layout_);
  shrinks_ = window.width < kFullShowWidth || window.height < kFullShowHeight;
  if (shrinks_) {
    // By the side that needs it more, at most kMostShrink times.
    int64_t num = kFullShowWidth;
    int64_t den = window.width;
    if (int64_t{window.width} * kFullShowHeight >= int64_t{window.height} * kFullShowWidth) {
      num = kFullShowHeight;
      den = window.height;
    }
    if (num > den * kMostShrink) {
      num = kMostShrink;
      den = 1;
    }
    width = static_cast<int32_t>((window.width * num + den - 1) / den);
    height = static_cast<int32_t>((window.height * num + den - 1) / den);
    layout_.primaryWidth = width;  // the show's screen, at scale 1
    layout_.primaryHeight = height;
  }
  delete buffer_;
  buffer_ = createPicture(width, height);
  if (buffer_ != nullptr && buffer_->failed) {
    delete buffer_;
    buffer_ = nullptr;
  }
  eraseWindow_ = true;
  changed_ = PixelRect();
  return buffer_ != nullptr;
}

PixelRect ScreenBuffer::toWindow(const PixelRect& rect) const {
  if (!shrinks_) return toPrimary(layout_, rect);
  int64_t sw = showWidth();
  int64_t sh = showHeight();
  if (sw <= 0 || sh <= 0) return PixelRect();
  int64_t left = int64_t{rect.x} * windowWidth_ / sw;
  int64_t top = int64_t{rect.y} * windowHeight_ / sh;
  int64_t right = ((int64_t{rect.x} + rect.width) * windowWidth_ + sw - 1) / sw;
  int64_t bottom = ((int64_t{rect.y} + rect.height) * windowHeight_ + sh - 1) / sh;
  return rectBetween(left, top, right, bottom);
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

void shrinkInto(const textpixels::Surface& show, const PixelRect& windowRect, int32_t windowWidth,
                int32_t windowHeight, const PixelFormat& format, uint8_t* dest,
                int32_t destStride) {
  if (show.pixels == nullptr || dest == nullptr || windowWidth <= 0 || windowHeight <= 0) return;
  const size_t bpp = static_cast<size_t>(format.bytesPerPixel);
  for (int32_t wy = 0; wy < windowRect.height; ++wy) {
    int64_t y = int64_t{windowRect.y} + wy;
    int32_t y0 = static_cast<int32_t>(y * show.height / windowHeight);
    int32_t y1 = static_cast<int32_t>(((y + 1) * show.height + windowHeight - 1) / windowHeight);
    uint8_t* to = dest + static_cast<size_t>(wy) * destStride;
    for (int32_t wx = 0; wx < windowRect.width; ++wx, to += bpp) {
      int64_t x = int64_t{windowRect.x} + wx;
      int32_t x0 = static_cast<int32_t>(x * show.width / windowWidth);
      int32_t x1 = static_cast<int32_t>(((x + 1) * show.width + windowWidth - 1) / windowWidth);
      uint32_t sum[3] = {0, 0, 0};
      uint32_t count = 0;
      for (int32_t sy = y0; sy < y1 && sy < show.height; ++sy) {
        const uint8_t* row = show.pixels + static_cast<size_t>(show.height - 1 - sy) * show.stride;
        for (int32_t sx = x0; sx < x1 && sx < show.width; ++sx, ++count) {
          for (int c = 0; c < 3; ++c) sum[c] += row[3 * static_cast<size_t>(sx) + c];
        }
      }
      if (count == 0) count = 1;
      uint32_t value = channelInto(static_cast<uint8_t>(sum[2] / count), format.redMask) |
                       channelInto(static_cast<uint8_t>(sum[1] / count), format.greenMask) |
                       channelInto(static_cast<uint8_t>(sum[0] / count), format.blueMask);
      putPixel(to, value, format);
    }
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
