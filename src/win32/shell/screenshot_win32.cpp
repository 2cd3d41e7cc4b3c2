#include "win32/shell/screenshot.h"

#include <windows.h>

#include <cstring>

#include "base/file.h"
#include "base/log_file.h"
#include "core/picture/bmp_header.h"
#include "core/show/show.h"
#include "win32/gdi/dib_section.h"
#include "win32/gdi/screen.h"
#include "win32/shell/user_folders.h"

namespace {

bool nameTaken(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

enum class ShotWrite { written, noName, refused };

// Writes the picture under the folder's next free shot name. A folder
// whose names are all taken (logged by the numbering rule) gets nothing.
ShotWrite writeShot(const char* folder, int32_t width, int32_t height, const uint8_t* bits) {
  char path[bmp::kPathSize];
  if (!bmp::nextShotPath(path, folder, nameTaken)) return ShotWrite::noName;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ShotWrite::refused;
  bmp::writeFile(reinterpret_cast<zfile::Handle>(file), width, height, bits);
  CloseHandle(file);
  return ShotWrite::written;
}

}  // namespace

void saveScreenshot(const Show& show) {
  // The item as its monitor shows it: enlarged by the show's scale.
  const ScreenPlace& place = placeOf(&show);
  PixelRect rect = toMonitor(place, show.lastDrawnRect);
  // A negative size (never recorded by the show) is saved as empty.
  if (rect.width < 0) rect.width = 0;
  if (rect.height < 0) rect.height = 0;
  bool empty = rect.width == 0 || rect.height == 0;
  // Too big for the file's size fields: nothing to capture into.
  if (!empty && bmp::imageSize(rect.width, rect.height) == 0) return;

  HDC screen = getPlaceDc(place);
  HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  HBITMAP capture = nullptr;
  uint8_t* bits = nullptr;
  if (memory != nullptr && !empty)
    capture = createDibSection(memory, rect.width, rect.height, &bits);
  if (capture != nullptr) {
    HGDIOBJ previous = SelectObject(memory, capture);
    BitBlt(memory, 0, 0, rect.width, rect.height, screen, rect.x, rect.y, SRCCOPY);
    GdiFlush();
    SelectObject(memory, previous);
  }
  // An empty rectangle gives the headers alone; a picture that could not be
  // captured is not written at all. A data folder that refuses the file (a
  // standard user's, under Program Files) sends it to the user's Pictures.
  if ((empty || bits != nullptr) &&
      writeShot(show.folder(), rect.width, rect.height, bits) == ShotWrite::refused) {
    char folder[userfolders::kFolderSize];
    if (!userfolders::screenshotFolder(folder) ||
        writeShot(folder, rect.width, rect.height, bits) == ShotWrite::refused) {
      logFile().write(show.folder()).write(": Unable to save a screenshot\n");
    }
  }
  if (screen != nullptr) ReleaseDC(saverWindow, screen);
  if (memory != nullptr) DeleteDC(memory);
  if (capture != nullptr) DeleteObject(capture);
}
