// A whole text file in memory with a read position.
#pragma once

#include <cstdint>

#include "platform/file.h"

class TextBuffer {
 public:
  TextBuffer() = default;
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // True if the file could be opened. A file that cannot be read whole, or
  // whose memory cannot be had, leaves the buffer empty and at its end.
  bool loadFile(const char* path);
  void release();
  // Copies the next line (CR dropped, LF ends it) into dest, at most
  // capacity - 1 characters and a NUL; returns the number of characters.
  int32_t readRawLine(char* dest, int32_t capacity);
  // A released buffer counts as ended, so no reader can wait for bytes
  // that will never come.
  bool atEnd() const { return data_ == nullptr || position_ >= size_; }
  void rewind() { position_ = 0; }
  void markPosition() { markedPosition_ = position_; }
  void returnToMark() { position_ = markedPosition_; }

  int32_t size() const { return size_; }
  int32_t position() const { return position_; }
  const uint8_t* data() const { return data_; }

 private:
  zfile::Handle handle_ = zfile::kNoFile;
  int32_t markedPosition_ = 0;
  int32_t size_ = 0;
  uint8_t* data_ = nullptr;
  int32_t position_ = 0;
};
