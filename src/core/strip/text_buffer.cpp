#include "core/strip/text_buffer.h"

#include <cstdlib>
#include <cstring>

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
  byteOrderMark_ = false;
  if (whole) {
    size_ = static_cast<int32_t>(fileSize);
    if (size_ >= 3 && data_[0] == 0xEF && data_[1] == 0xBB && data_[2] == 0xBF) {
      byteOrderMark_ = true;
      size_ -= 3;
      std::memmove(data_, data_ + 3, static_cast<size_t>(size_));
    }
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

int32_t LineCounter::lineAt(const TextBuffer& buffer, int32_t position) {
  const uint8_t* data = buffer.data();
  if (position > buffer.size()) position = buffer.size();
  if (position < position_ || data == nullptr) {
    position_ = 0;
    line_ = 1;
  }
  if (data == nullptr) return 1;
  for (; position_ < position; ++position_) {
    if (data[position_] == '\n') ++line_;
  }
  return line_;
}
