// Image::loadPcx: the decoded file moved into a DIB section.
#include <cstdlib>
#include <cstring>

#include "base/log_file.h"
#include "core/picture/pcx_file.h"
#include "win32/gdi/dib_section.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"

void Image::loadPcx(const char* path) {
  pcx::Layout layout;
  uint8_t* picture = pcx::loadFile(path, &layout);
  // A picture too large to hold still tells its size.
  width = layout.width;
  height = layout.height;
  stride = layout.stride;
  if (picture == nullptr) {
    failed = true;
    return;
  }

  HDC windowDc = GetDC(saverWindow);
  if (windowDc == nullptr) {
    std::free(picture);
    logFile().write(path).write(": Unable to get a DC!\n");
    failed = true;
    return;
  }
  dc = CreateCompatibleDC(windowDc);
  if (dc == nullptr) {
    ReleaseDC(saverWindow, windowDc);
    std::free(picture);
    logFile().write(path).write(": Unable to create a compatible DC\n");
    failed = true;
    return;
  }
  if (ReleaseDC(saverWindow, windowDc) == 0) logFile().write("Pcx: Unable to release DC!\n");

  bitmap = createDibSection(dc, width, height, &pixels);
  if (bitmap == nullptr) {
    std::free(picture);
    DeleteDC(dc);
    dc = nullptr;
    failed = true;
    logFile().write(path).write(": Unable to create a DIB section\n");
    return;
  }
  std::memcpy(pixels, picture, layout.pictureBytes);
  SelectObject(dc, bitmap);
  std::free(picture);
}
