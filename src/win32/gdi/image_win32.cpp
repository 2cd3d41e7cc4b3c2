#include <cstring>

#include "base/ascii_case.h"
#include "base/data_path.h"
#include "base/log_file.h"
#include "win32/gdi/dib_section.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"

namespace {}  // namespace

Image::Image() = default;

Image::Image(const char* folder, const char* name) {
  failed = false;
  load(folder, name);
}

void Image::load(const char* folder, const char* name) {
  failed = false;
  if (name == nullptr) name = "";
  char path[kDataPathSize];
  // The path must fit the 512-byte buffer with its terminating NUL.
  if (!dataPath(path, folder, name)) {
    logFile().write(name).write(": Path too long\n");
    failed = true;
    return;
  }
  size_t length = std::strlen(path);
  if (length < 3) {
    failed = true;
    logFile().write(name).write(
        ": Unable to determine format...files need .pcx or .bmp extension!\n");
    return;
  }
  // The file is opened with its ending in lower case.
  char* ending = path + length - 3;
  for (int i = 0; i < 3; ++i) ending[i] = lowerAscii(ending[i]);
  if (std::memcmp(ending, "bmp", 3) == 0) {
    loadBmp(path);
  } else if (std::memcmp(ending, "pcx", 3) == 0) {
    loadPcx(path);
  } else {
    failed = true;
    logFile().write(name).write(
        ": Unable to determine format...files need .pcx or .bmp extension!\n");
  }
}

void Image::loadBmp(const char* path) {
  bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) {
    logFile().write(path).write(": Unable to load image\n");
    failed = true;
    return;
  }
  BITMAP description;
  std::memset(&description, 0, sizeof description);
  GetObjectA(bitmap, sizeof description, &description);
  width = description.bmWidth;
  height = description.bmHeight;
  HDC windowDc = GetDC(saverWindow);
  if (windowDc == nullptr) {
    DeleteObject(bitmap);
    bitmap = nullptr;
    logFile().write(path).write(": Unable to get hwnd DC\n");
    failed = true;
    return;
  }
  dc = CreateCompatibleDC(windowDc);
  ReleaseDC(saverWindow, windowDc);
  if (dc == nullptr) {
    DeleteObject(bitmap);
    bitmap = nullptr;
    logFile().write(path).write(": Unable to create compatible DC\n");
    failed = true;
    return;
  }
  SelectObject(dc, bitmap);
  pixels = nullptr;
}

void Image::create(int32_t newWidth, int32_t newHeight) {
  width = newWidth;
  height = newHeight;
  stride = dibStride(newWidth);
  HDC windowDc = GetDC(saverWindow);
  if (windowDc == nullptr) {
    logFile().write("Create: Unable to get a DC!\n");
    failed = true;
    return;
  }
  dc = CreateCompatibleDC(windowDc);
  ReleaseDC(saverWindow, windowDc);
  if (dc == nullptr) {
    logFile().write("Create: Unable to create a compatible DC\n");
    failed = true;
    return;
  }
  bitmap = createDibSection(dc, width, height, &pixels);
  if (bitmap == nullptr) {
    DeleteDC(dc);
    dc = nullptr;
    failed = true;
    logFile().write("Create: Unable to create a DIB section\n");
    return;
  }
  failed = false;
  SelectObject(dc, bitmap);
}

void Image::draw(int32_t x, int32_t y, HDC target) {
  if (failed) return;
  if (target != nullptr) {
    BitBlt(target, x, y, width, height, dc, 0, 0, SRCCOPY);
    return;
  }
  ScreenCanvas screen(placeOf(nullptr), x, y, width, height, false);
  if (screen.dc != nullptr) BitBlt(screen.dc, x, y, width, height, dc, 0, 0, SRCCOPY);
}

void Image::drawMirrored(int32_t x, int32_t y, HDC target) {
  if (failed) return;
  if (target != nullptr) {
    StretchBlt(target, x, y, width, height, dc, width - 1, 0, -width, height, SRCCOPY);
    return;
  }
  ScreenCanvas screen(placeOf(nullptr), x, y, width, height, false);
  if (screen.dc != nullptr) {
    StretchBlt(screen.dc, x, y, width, height, dc, width - 1, 0, -width, height, SRCCOPY);
  }
}

void Image::release() {
  if (dc != nullptr) DeleteDC(dc);
  if (bitmap != nullptr) DeleteObject(bitmap);
  // Forgotten, so that a second release cannot free them twice.
  dc = nullptr;
  bitmap = nullptr;
  pixels = nullptr;
}
