#include "core/picture/pcx_width.h"

#include "base/data_path.h"
#include "base/file.h"
#include "base/log_file.h"

namespace {

constexpr size_t kHeaderBytes = 10;

int32_t signed16At(const unsigned char* bytes, int offset) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8));
}

}  // namespace

int32_t pcxFileWidth(const char* folder, const char* name) {
  char path[kDataPathSize];
  dataPath(path, folder, name);
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
