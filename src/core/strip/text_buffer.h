// A whole text file in memory with a read position.
#pragma once

#include <cstdint>

#include "base/file.h"

class TextBuffer {
 public:
  TextBuffer() = default;
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // True if the file could be opened. A file that cannot be read whole, or
  // whose memory cannot be had, leaves the buffer empty and at its end.
  // A UTF-8 byte-order mark at the very start is dropped: editors add it
  // unasked, and it would spoil the first line.
  bool loadFile(const char* path);
  void release();
  // Copies the next line (CR dropped, LF ends it) into dest, at most
  // capacity - 1 characters and a NUL; returns the number of characters.
  int32_t readRawLine(char* dest, int32_t capacity);
  // A released buffer counts as ended, so no reader can wait for bytes
  // that will never come.
  bool atEnd() const { return data_ == nullptr || position_ >= size_; }
  void rewind() { position_ = 0; }
  // Kept within the text.
  void moveTo(int32_t position) {
    position_ = position < 0 ? 0 : (position > size_ ? size_ : position);
  }
  void markPosition() { markedPosition_ = position_; }
  void returnToMark() { position_ = markedPosition_; }

  int32_t size() const { return size_; }
  int32_t position() const { return position_; }
  const uint8_t* data() const { return data_; }
  // Whether loadFile dropped a byte-order mark.
  bool hadByteOrderMark() const { return byteOrderMark_; }

 private:
  zfile::Handle handle_ = zfile::kNoFile;
  int32_t markedPosition_ = 0;
  int32_t size_ = 0;
  uint8_t* data_ = nullptr;
  int32_t position_ = 0;
  bool byteOrderMark_ = false;
};

// Physical line numbers (1 for the first) of read positions in a buffer,
// counted on from the last position asked; for reports to authors.
class LineCounter {
 public:
  int32_t lineAt(const TextBuffer& buffer, int32_t position);

 private:
  int32_t position_ = 0;
  int32_t line_ = 1;
};
