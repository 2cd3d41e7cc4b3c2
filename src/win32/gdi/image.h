// An off-screen 24-bit picture surface: a memory device context with a
// bitmap selected into it. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

class Image {
 public:
  // Empty: nothing made, failed.
  Image();
  // Loads the named file of the data folder (PCX or BMP by its ending).
  Image(const char* folder, const char* name);

  void load(const char* folder, const char* name);
  void loadBmp(const char* path);
  void loadPcx(const char* path);
  void create(int32_t width, int32_t height);
  // A null target means the screen: the primary monitor, enlarged by the
  // layout's scale (screen.h); a show's painter draws on its own monitor.
  void draw(int32_t x, int32_t y, HDC target = nullptr);
  void drawMirrored(int32_t x, int32_t y, HDC target = nullptr);
  void release();

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  uint8_t* pixels = nullptr;
  bool failed = true;
};
