// Image::loadPcx: reads the file in two reads, decodes it from memory and
// moves the picture into a DIB section.
#include <cstdlib>
#include <cstring>

#include "base/file.h"
#include "base/log_file.h"
#include "core/picture/pcx_decode.h"
#include "win32/gdi/dib_section.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"

void Image::loadPcx(const char* path) {
  zfile::Handle file = zfile::openRead(path);
  if (file == zfile::kNoFile) {
    logFile().write(path).write(": Unable to open file\n");
    failed = true;
    return;
  }
  int32_t dataSize = static_cast<int32_t>(zfile::sizeLow(file) - pcx::kHeaderSize);
  // A file shorter than its header gives a negative size, which is refused.
  uint8_t* fileBuffer = nullptr;
  if (dataSize >= 0) fileBuffer = static_cast<uint8_t*>(std::malloc(dataSize > 0 ? dataSize : 1));
  if (fileBuffer == nullptr) {
    zfile::close(file);
    logFile()
        .write(path)
        .write(": Unable to allocate filebuffer of size ")
        .write(dataSize)
        .write("\n");
    failed = true;
    return;
  }
  uint8_t header[pcx::kHeaderSize];
  std::memset(header, 0, sizeof header);
  size_t headerRead = zfile::read(file, header, sizeof header);
  if (headerRead < sizeof header || !pcx::formatAccepted(header)) {
    logFile().write(path).write(": Invalid file format!\n");
    zfile::close(file);
    std::free(fileBuffer);
    failed = true;
    return;
  }
  // The file may have shrunk since its size was taken: decode what arrived.
  size_t dataRead = zfile::read(file, fileBuffer, static_cast<size_t>(dataSize));
  zfile::close(file);

  pcx::Layout layout;
  pcx::LayoutResult shape = pcx::layoutOf(header, &layout);
  if (shape == pcx::LayoutResult::empty) {
    std::free(fileBuffer);
    logFile().write(path).write(": Invalid file format!\n");
    failed = true;
    return;
  }
  width = layout.width;
  height = layout.height;
  stride = layout.stride;
  // Zeroed, so that rows a cut-off file never reaches stay black.
  uint8_t* picture = nullptr;
  if (shape == pcx::LayoutResult::ok)
    picture = static_cast<uint8_t*>(std::calloc(layout.pictureBytes, 1));
  if (picture == nullptr) {
    std::free(fileBuffer);
    logFile().write(path).write(": Unable to allocate buffer\n");
    failed = true;
    return;
  }
  uint8_t* line = static_cast<uint8_t*>(std::malloc(layout.lineBytes));
  if (line == nullptr) {
    std::free(picture);
    std::free(fileBuffer);
    logFile().write(path).write(": Unable to allocate line\n");
    failed = true;
    return;
  }
  pcx::decode(fileBuffer, dataRead, layout, line, picture);
  std::free(line);
  std::free(fileBuffer);

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
