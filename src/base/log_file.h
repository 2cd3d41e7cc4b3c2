// The saver's one diagnostics log, error.log in the data folder.
#pragma once

#include <cstdint>

#include "base/file.h"

class LogFile {
 public:
  // Creates the file (emptying an earlier one) and writes the header; a null
  // header means the default one. A failed open is not reported: later
  // writes then go nowhere.
  void open(const char* path, const char* header = nullptr);
  // For programs of which several copies may write one log at once: the
  // file is appended to, not emptied, and each line goes out whole in one
  // write, so that the copies' lines never splice. A line is on disk once
  // its line feed is written (the rest of one at close).
  void openShared(const char* path, const char* header = nullptr);
  // Every byte goes out on its own, a line feed as CR LF, so the file holds
  // everything written so far even if the process dies.
  LogFile& write(const char* text);
  LogFile& write(int32_t value);
  // A data path (folder, backslash, name) as the platform writes paths.
  LogFile& writePath(const char* path);
  void close();

  bool isOpen() const { return file_ != 0 && file_ != zfile::kNoFile; }

 private:
  void putByte(char byte);
  void flushLine();

  // Zero (no file yet) from static initialisation; kNoFile after a failed open.
  zfile::Handle file_ = 0;
  // openShared's line on its way: bytes held until its line feed.
  bool wholeLines_ = false;
  char line_[2048];
  size_t lineLength_ = 0;
};

// The header written when open is given none.
extern const char kDefaultLogHeader[];

// The process-wide log; closed at normal exit.
LogFile& logFile();

// Decimal text of a signed 32-bit value (no padding); buffer of 12 bytes.
void formatDecimal(int32_t value, char out[12]);
