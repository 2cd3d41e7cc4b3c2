#include "core/picture/bmp_header.h"

#include <cstring>

#include "base/data_path.h"
#include "base/log_file.h"

namespace bmp {
namespace {

void put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
  put16(p, v);
  put16(p + 2, v >> 16);
}

// The headers' size fields are 32-bit; bigger pictures are not written.
constexpr uint64_t kMaxImageSize = 0x7FFFFFFFu - kHeadersSize;

}  // namespace

uint32_t rowLength(int32_t width) {
  if (width <= 0) return 0;
  return static_cast<uint32_t>((3 * uint64_t(width) + 3) & ~uint64_t{3});
}

uint32_t imageSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  uint64_t size = uint64_t{rowLength(width)} * uint64_t(height);
  return size > kMaxImageSize ? 0 : static_cast<uint32_t>(size);
}

void writeHeaders(uint8_t out[kHeadersSize], int32_t width, int32_t height) {
  std::memset(out, 0, kHeadersSize);
  out[0] = 'B';
  out[1] = 'M';
  put32(out + 2, static_cast<uint32_t>(kHeadersSize) + imageSize(width, height));
  put32(out + 10, static_cast<uint32_t>(kHeadersSize));
  put32(out + 14, static_cast<uint32_t>(kInfoHeaderSize));
  put32(out + 18, static_cast<uint32_t>(width));
  put32(out + 22, static_cast<uint32_t>(height));
  put16(out + 26, 1);
  put16(out + 28, 24);
}

bool writeFile(zfile::Handle file, int32_t width, int32_t height, const uint8_t* pixels) {
  uint8_t headers[kHeadersSize];
  writeHeaders(headers, width, height);
  uint32_t size = imageSize(width, height);
  bool ok = zfile::write(file, headers, kFileHeaderSize) == kFileHeaderSize;
  ok = zfile::write(file, headers + kFileHeaderSize, kInfoHeaderSize) == kInfoHeaderSize && ok;
  if (size > 0 && pixels != nullptr) ok = zfile::write(file, pixels, size) == size && ok;
  return ok;
}

bool nextShotPath(char (&path)[kPathSize], const char* folder, bool (*exists)(const char*)) {
  static_assert(kPathSize == kDataPathSize, "shot names are data-folder paths");
  if (!dataPath(path, folder, "shot0000.bmp")) return false;
  // The last digit of "shot0000.bmp".
  char* lastDigit = path + std::strlen(path) - 5;
  for (int tries = 1;; ++tries) {
    if (!exists(path)) return true;
    if (tries == 10000) break;  // shot9999 was the last
    // Count up with carry; shot9999 is never counted past, so no digit wraps.
    char* digit = lastDigit;
    while (*digit == '9') *digit-- = '0';
    ++*digit;
  }
  // Every name is taken: writing over one of them would lose a picture.
  logFile().write(folder).write(": No free screenshot name\n");
  return false;
}

}  // namespace bmp
