#include "base/log_file.h"

#include <cstdlib>

const char kDefaultLogHeader[] = "-----------Quenwick Log File----------\n";

void formatDecimal(int32_t value, char out[12]) {
  // Work in unsigned so that the most negative value needs no special case.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  char digits[11];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10u);
    magnitude /= 10u;
  } while (magnitude != 0u);
  int pos = 0;
  if (value < 0) out[pos++] = '-';
  while (count > 0) out[pos++] = digits[--count];
  out[pos] = '\0';
}

void LogFile::open(const char* path, const char* header) {
  close();
  file_ = zfile::createWrite(path);
  write(header != nullptr ? header : kDefaultLogHeader);
}

void LogFile::openShared(const char* path, const char* header) {
  close();
  file_ = zfile::openAppend(path);
  wholeLines_ = true;
  write(header != nullptr ? header : kDefaultLogHeader);
}

void LogFile::putByte(char byte) {
  if (!isOpen()) return;
  if (!wholeLines_) {
    zfile::write(file_, &byte, 1);
    return;
  }
  line_[lineLength_++] = byte;
  if (byte == '\n' || lineLength_ == sizeof line_) flushLine();
}

void LogFile::flushLine() {
  if (lineLength_ > 0 && isOpen()) zfile::write(file_, line_, lineLength_);
  lineLength_ = 0;
}

LogFile& LogFile::write(const char* text) {
  if (text == nullptr) return *this;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') putByte('\r');
    putByte(*p);
  }
  return *this;
}

LogFile& LogFile::writePath(const char* path) {
  if (path == nullptr) return *this;
  return write(zfile::shownPath(path).c_str());
}

LogFile& LogFile::write(int32_t value) {
  char text[12];
  formatDecimal(value, text);
  return write(text);
}

void LogFile::close() {
  flushLine();
  zfile::close(file_);
  file_ = 0;
  wholeLines_ = false;
}

namespace {

LogFile theLog;

void closeLogAtExit() { theLog.close(); }

// Registered during static initialisation, like the log itself.
const int registerClose = std::atexit(closeLogAtExit);

}  // namespace

LogFile& logFile() {
  (void)registerClose;
  return theLog;
}
