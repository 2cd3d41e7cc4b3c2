#include "core/picture/pcx_file.h"

#include <cstdlib>

#include "base/file.h"
#include "base/log_file.h"

namespace pcx {

uint8_t* loadFile(const char* path, Layout* layout) {
  *layout = Layout{};
  zfile::Handle file = zfile::openRead(path);
  if (file == zfile::kNoFile) {
    logFile().writePath(path).write(": Unable to open file\n");
    return nullptr;
  }
  int32_t dataSize = static_cast<int32_t>(zfile::sizeLow(file) - kHeaderSize);
  // A file shorter than its header gives a negative size, which is refused.
  uint8_t* data = nullptr;
  if (dataSize >= 0) data = static_cast<uint8_t*>(std::malloc(dataSize > 0 ? dataSize : 1));
  if (data == nullptr) {
    zfile::close(file);
    logFile()
        .writePath(path)
        .write(": Unable to allocate filebuffer of size ")
        .write(dataSize)
        .write("\n");
    return nullptr;
  }
  uint8_t header[kHeaderSize] = {};
  if (zfile::read(file, header, sizeof header) < sizeof header || !formatAccepted(header)) {
    logFile().writePath(path).write(": Invalid file format!\n");
    zfile::close(file);
    std::free(data);
    return nullptr;
  }
  // The file may have shrunk since its size was taken: decode what arrived.
  size_t got = zfile::read(file, data, static_cast<size_t>(dataSize));
  zfile::close(file);

  LayoutResult shape = layoutOf(header, layout);
  if (shape == LayoutResult::empty) {
    *layout = Layout{};
    std::free(data);
    logFile().writePath(path).write(": Invalid file format!\n");
    return nullptr;
  }
  // Zeroed, so that rows a cut-off file never reaches stay black.
  uint8_t* picture = nullptr;
  if (shape == LayoutResult::ok)
    picture = static_cast<uint8_t*>(std::calloc(layout->pictureBytes, 1));
  if (picture == nullptr) {
    std::free(data);
    logFile().writePath(path).write(": Unable to allocate buffer\n");
    return nullptr;
  }
  uint8_t* line = static_cast<uint8_t*>(std::malloc(layout->lineBytes));
  if (line == nullptr) {
    std::free(picture);
    std::free(data);
    logFile().writePath(path).write(": Unable to allocate line\n");
    return nullptr;
  }
  decode(data, got, *layout, line, picture);
  std::free(line);
  std::free(data);
  return picture;
}

}  // namespace pcx
