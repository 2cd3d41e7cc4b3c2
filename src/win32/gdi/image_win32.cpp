#include <cstring>

#include "base/log_file.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"
#include "win32/shell/globals.h"
#include "core/show/settings.h"

namespace {

constexpr size_t kPathSize = 512;

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

Image::Image() = default;

Image::Image(const char* name) {
  failed = false;
  load(name);
}

void Image::load(const char* name) {
  failed = false;
  if (name == nullptr) name = "";
  const char* folder = settings != nullptr ? settings->directory : "";
  size_t folderLength = strnlen(folder, sizeof settings->directory);
  size_t nameLength = std::strlen(name);
  // The path must fit the 512-byte buffer with its terminating NUL.
  if (folderLength + 1 + nameLength >= kPathSize) {
    logFile().write(name).write(": Path too long\n");
    failed = true;
    return;
  }
  char path[kPathSize];
  std::memcpy(path, folder, folderLength);
  path[folderLength] = '\\';
  std::memcpy(path + folderLength + 1, name, nameLength + 1);
  size_t length = folderLength + 1 + nameLength;
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

HBITMAP createDibSection(HDC dc, int32_t width, int32_t height, uint8_t** pixels) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (bitmap != nullptr && memory == nullptr) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  *pixels = bitmap != nullptr ? static_cast<uint8_t*>(memory) : nullptr;
  return bitmap;
}

int32_t dibStride(int32_t width) {
  // 64-bit so that a huge width cannot wrap; CreateDIBSection refuses it.
  return static_cast<int32_t>((3 * int64_t{width} + 3) & ~int64_t{3});
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
  ScreenCanvas screen(x, y, width, height, false);
  if (screen.dc != nullptr) BitBlt(screen.dc, x, y, width, height, dc, 0, 0, SRCCOPY);
}

void Image::drawMirrored(int32_t x, int32_t y, HDC target) {
  if (failed) return;
  if (target != nullptr) {
    StretchBlt(target, x, y, width, height, dc, width - 1, 0, -width, height, SRCCOPY);
    return;
  }
  ScreenCanvas screen(x, y, width, height, false);
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

void eraseScreen() {
  PixelRect area = takeAreaToErase();
  HDC screen = GetDC(saverWindow);
  BitBlt(screen, area.x, area.y, area.width, area.height, nullptr, 0, 0, BLACKNESS);
  if (ReleaseDC(saverWindow, screen) == 0) logFile().write("erase: Unable to release!\n");
}
