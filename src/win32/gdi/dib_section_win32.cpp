#include "win32/gdi/dib_section.h"

#include <cstring>

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
