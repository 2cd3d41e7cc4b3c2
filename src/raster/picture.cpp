#include "raster/picture.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "base/ascii_case.h"
#include "base/file.h"
#include "base/log_file.h"
#include "core/picture/pcx_file.h"
#include "raster/bmp_read.h"

namespace {

constexpr size_t kPathSize = 512;
// BMP files are read whole; a picture file beyond this is no picture.
constexpr uint32_t kMaxBmpFile = 256u << 20;

void loadPcx(Picture& p, const char* path) {
  pcx::Layout layout;
  uint8_t* picture = pcx::loadFile(path, &layout);
  if (picture == nullptr) return;
  p.width = layout.width;
  p.height = layout.height;
  p.stride = layout.stride;
  p.pixels = picture;
  p.failed = false;
}

void loadBmp(Picture& p, const char* path) {
  zfile::Handle file = zfile::openRead(path);
  uint32_t size = file != zfile::kNoFile ? zfile::sizeLow(file) : 0;
  uint8_t* data = nullptr;
  if (size > 0 && size <= kMaxBmpFile) data = static_cast<uint8_t*>(std::malloc(size));
  size_t got = data != nullptr ? zfile::read(file, data, size) : 0;
  zfile::close(file);
  bmpread::Layout layout;
  uint8_t* picture = nullptr;
  if (bmpread::readLayout(data, got, &layout)) {
    picture = static_cast<uint8_t*>(std::calloc(layout.pictureBytes, 1));
  }
  if (picture == nullptr || !bmpread::decode(data, got, layout, picture)) {
    std::free(picture);
    std::free(data);
    logFile().writePath(path).write(": Unable to load image\n");
    return;
  }
  std::free(data);
  p.width = layout.width;
  p.height = layout.height;
  p.stride = layout.stride;
  p.pixels = picture;
  p.failed = false;
}

int32_t clampTo(int64_t v, int32_t low, int32_t high) {
  return static_cast<int32_t>(v < low ? low : (v > high ? high : v));
}

}  // namespace

Picture::~Picture() {
  if (!borrowed) std::free(pixels);
}

textpixels::Surface Picture::surface() const {
  textpixels::Surface s;
  s.pixels = pixels;
  s.width = pixels != nullptr ? width : 0;
  s.height = pixels != nullptr ? height : 0;
  s.stride = stride;
  return s;
}

Picture* loadPicture(const char* folder, const char* name) {
  Picture* p = new (std::nothrow) Picture();
  if (p == nullptr) return nullptr;
  if (name == nullptr) name = "";
  if (folder == nullptr) folder = "";
  size_t folderLength = std::strlen(folder);
  size_t nameLength = std::strlen(name);
  if (folderLength + 1 + nameLength >= kPathSize) {
    logFile().write(name).write(": Path too long\n");
    return p;
  }
  std::string path = std::string(folder) + "/" + name;
  if (path.size() < 3) {
    logFile().write(name).write(
        ": Unable to determine format...files need .pcx or .bmp extension!\n");
    return p;
  }
  for (size_t i = path.size() - 3; i < path.size(); ++i) path[i] = lowerAscii(path[i]);
  std::string ending = path.substr(path.size() - 3);
  if (ending == "bmp") {
    loadBmp(*p, path.c_str());
  } else if (ending == "pcx") {
    loadPcx(*p, path.c_str());
  } else {
    logFile().write(name).write(
        ": Unable to determine format...files need .pcx or .bmp extension!\n");
  }
  return p;
}

Picture* createPicture(int32_t width, int32_t height) {
  Picture* p = new (std::nothrow) Picture();
  if (p == nullptr) return nullptr;
  int64_t stride = (3 * int64_t{width} + 3) & ~int64_t{3};
  int64_t bytes = stride * height;
  if (width > 0 && height > 0 && bytes <= INT32_MAX) {
    p->pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes), 1));
  }
  p->width = width;
  p->height = height;
  if (p->pixels == nullptr) {
    logFile().write("Create: Unable to create a DIB section\n");
    return p;
  }
  p->stride = static_cast<int32_t>(stride);
  p->failed = false;
  return p;
}

void copyPicture(const textpixels::Surface& source, const textpixels::Surface& target, int32_t x,
                 int32_t y, bool mirrored) {
  if (source.pixels == nullptr || target.pixels == nullptr) return;
  int32_t left = clampTo(x, 0, target.width);
  int32_t right = clampTo(int64_t{x} + source.width, 0, target.width);
  int32_t top = clampTo(y, 0, target.height);
  int32_t bottom = clampTo(int64_t{y} + source.height, 0, target.height);
  if (left >= right) return;
  for (int32_t ty = top; ty < bottom; ++ty) {
    int32_t sy = ty - y;
    const uint8_t* from =
        source.pixels + static_cast<size_t>(source.height - 1 - sy) * source.stride;
    uint8_t* to = target.pixels + static_cast<size_t>(target.height - 1 - ty) * target.stride;
    if (!mirrored) {
      std::memcpy(to + 3 * static_cast<size_t>(left), from + 3 * static_cast<size_t>(left - x),
                  3 * static_cast<size_t>(right - left));
      continue;
    }
    for (int32_t tx = left; tx < right; ++tx) {
      int32_t sx = source.width - 1 - (tx - x);
      std::memcpy(to + 3 * static_cast<size_t>(tx), from + 3 * static_cast<size_t>(sx), 3);
    }
  }
}

void fillBlack(const textpixels::Surface& target, int32_t x, int32_t y, int32_t width,
               int32_t height) {
  if (target.pixels == nullptr) return;
  int32_t left = clampTo(x, 0, target.width);
  int32_t right = clampTo(int64_t{x} + width, 0, target.width);
  int32_t top = clampTo(y, 0, target.height);
  int32_t bottom = clampTo(int64_t{y} + height, 0, target.height);
  if (left >= right) return;
  for (int32_t ty = top; ty < bottom; ++ty) {
    uint8_t* row = target.pixels + static_cast<size_t>(target.height - 1 - ty) * target.stride;
    std::memset(row + 3 * static_cast<size_t>(left), 0, 3 * static_cast<size_t>(right - left));
  }
}
