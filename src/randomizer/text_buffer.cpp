#include "randomizer/text_buffer.h"

#include <cstdlib>

TextBuffer::~TextBuffer() { release(); }

bool TextBuffer::loadFile(const char* path) {
  handle_ = zfile::openRead(path);
  if (handle_ == zfile::kNoFile) return false;
  uint32_t fileSize = zfile::sizeLow(handle_);
  position_ = 0;
  bool whole = false;
  if (fileSize <= 0x7FFFFFFFu) {
    data_ = static_cast<uint8_t*>(std::malloc(fileSize == 0 ? 1 : fileSize));
    whole = data_ != nullptr && zfile::read(handle_, data_, fileSize) == fileSize;
  }
  if (whole) {
    size_ = static_cast<int32_t>(fileSize);
  } else {
    // Half a file would give lines that never end in the right place.
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
  }
  zfile::close(handle_);
  handle_ = zfile::kNoFile;
  return true;
}

void TextBuffer::release() {
  if (handle_ != zfile::kNoFile) zfile::close(handle_);
  std::free(data_);
  data_ = nullptr;
  handle_ = zfile::kNoFile;
}

int32_t TextBuffer::readRawLine(char* dest, int32_t capacity) {
  if (data_ == nullptr || dest == nullptr || capacity < 1) return 0;
  int32_t stored = 0;
  while (stored < capacity - 1 && !atEnd()) {
    uint8_t byte = data_[position_++];
    if (byte == '\r') {
      if (atEnd()) break;
      byte = data_[position_++];
    }
    if (byte == '\n') break;
    dest[stored++] = static_cast<char>(byte);
  }
  dest[stored] = '\0';
  return stored;
}
