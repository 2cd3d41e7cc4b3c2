// Panel widths come from the picture's header alone, before it is decoded.
#include <cstring>

#include "base/log_file.h"
#include "base/file.h"
#include "win32/gdi/strip_composition.h"
#include "core/show/settings.h"

namespace {

constexpr size_t kPathSize = 512;
constexpr size_t kHeaderBytes = 10;

int32_t signed16At(const unsigned char* bytes, int offset) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8));
}

}  // namespace

int32_t pcxFileWidth(const char* name) {
  char path[kPathSize] = {};
  if (settings != nullptr) std::strncat(path, settings->directory, kPathSize - 1);
  std::strncat(path, "\\", kPathSize - 1 - std::strlen(path));
  std::strncat(path, name, kPathSize - 1 - std::strlen(path));
  zfile::Handle file = zfile::openRead(path);
  if (file == zfile::kNoFile) {
    logFile().write(name).write(": Unable to open file\n");
    return 0;
  }
  unsigned char header[kHeaderBytes] = {};
  size_t got = zfile::read(file, header, sizeof header);
  zfile::close(file);
  // Too short to hold the header: nothing to measure. The panel then
  // fails to load and is reported there.
  if (got < kHeaderBytes) return 0;
  return signed16At(header, 8) - signed16At(header, 4) + 1;
}
