#include "x11/screenshot.h"

#include <cstdlib>

#include "base/file.h"
#include "base/log_file.h"
#include "core/picture/bmp_header.h"
#include "x11/user_paths.h"

std::string saveScreenshot(const ScreenBuffer& screen, const PixelRect& rect,
                           const std::string& folder) {
  PixelRect shown = toPrimary(screen.layout(), rect);
  if (shown.width < 0) shown.width = 0;
  if (shown.height < 0) shown.height = 0;
  bool empty = shown.width == 0 || shown.height == 0;
  uint8_t* bits = empty ? nullptr : enlargeForShot(screen.surface(), rect, screen.scale());
  if (!empty && bits == nullptr) return std::string();  // nothing could be captured

  std::string written;
  char path[bmp::kPathSize];
  if (!userpaths::makeFolders(folder)) {
    logFile().write(folder.c_str()).write(": Unable to save a screenshot\n");
  } else if (bmp::nextShotPath(path, folder.c_str(), zfile::exists)) {
    zfile::Handle file = zfile::createWrite(path);  // the separator comes as a backslash
    if (file == zfile::kNoFile || !bmp::writeFile(file, shown.width, shown.height, bits)) {
      logFile().write(folder.c_str()).write(": Unable to save a screenshot\n");
    } else {
      written = path;
      for (char& c : written) {
        if (c == '\\') c = '/';
      }
    }
    zfile::close(file);
  }
  std::free(bits);
  return written;
}
