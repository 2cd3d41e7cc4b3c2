// The line layer of the template reader: usable lines, brackets, category
// lookup and the status record.
#include <cstring>

#include "core/strip/strip_randomizer.h"

const char kNullPointerMessage[] = "Can't write to null pointer, thanks though";

void copyField(char* dest, const char* src) {
  size_t n = std::strlen(src);
  if (n > kTextField - 1) n = kTextField - 1;
  std::memmove(dest, src, n);
  dest[n] = '\0';
}

void StripRandomizer::setStatus(int32_t code, const char* message) {
  statusCode_ = code;
  copyField(statusMessage_, message != nullptr ? message : "");
}

void StripRandomizer::dropFirstChar(char* text) {
  if (text == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  if (text[0] == '\0') return;
  std::memmove(text, text + 1, std::strlen(text));
}

void StripRandomizer::cleanLine(char* line) {
  if (line == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  if (char* hash = std::strchr(line, '#')) *hash = '\0';
  size_t n = std::strlen(line);
  while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\t')) line[--n] = '\0';
  // One move instead of a drop per blank: the same result without the
  // quadratic cost on a line of many blanks.
  size_t lead = std::strspn(line, " \t");
  if (lead > 0) std::memmove(line, line + lead, n - lead + 1);
}

void StripRandomizer::readLine(char* dest) {
  if (buffer_.atEnd()) {
    setStatus(EndOfData, "Tried to read past the end of the file.");
    return;
  }
  if (dest == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  dest[0] = '\0';
  while (!buffer_.atEnd()) {
    buffer_.readRawLine(dest, kTextField);
    cleanLine(dest);
    if (dest[0] != '\0') break;
  }
  if (buffer_.atEnd() && dest[0] == '\0') {
    setStatus(EndOfData, "Didn't find any usable data in the file.");
  }
}

void StripRandomizer::bracketize(char* text) {
  if (text == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  size_t n = std::strlen(text);
  if (n > 198) {
    setStatus(TooLong, "Line too long in bracketize.");
    return;
  }
  std::memmove(text + 1, text, n);
  text[0] = '[';
  text[n + 1] = ']';
  text[n + 2] = '\0';
}

void StripRandomizer::seekTo(const char* name) { seekFrom(name, 0); }

void StripRandomizer::seekFrom(const char* name, int32_t start) {
  if (name == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  if (!mayProceed()) return;
  char wanted[kTextField + 1];
  copyField(wanted, name);
  bracketize(wanted);
  char line[kTextField];
  buffer_.moveTo(start);
  readLine(line);
  if (statusCode_ == EndOfData) return;
  for (;;) {
    if (std::strcmp(line, wanted) == 0) return;
    if (buffer_.atEnd()) break;
    readLine(line);
    if (statusCode_ == EndOfData) return;
  }
  // The message is cut to the field when the name is long.
  char message[kTextField * 2];
  std::strcpy(message, "Couldn't find the category ");
  std::strncat(message, name, kTextField);
  std::strcat(message, " in seekTo().");
  setStatus(NotFound, message);
}
