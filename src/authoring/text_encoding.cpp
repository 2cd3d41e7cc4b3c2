// Byte scans only: nothing here decides what the saver does with a file,
// it only names why the saver's reading of it goes wrong.
#include "authoring/text_encoding.h"

#include "base/file.h"

namespace {

// Length of the UTF-8 sequence of two to four bytes at p, or 0.
size_t utf8Sequence(const uint8_t* p, size_t left) {
  size_t n = 0;
  if (p[0] >= 0xC2 && p[0] <= 0xDF) {
    n = 2;
  } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    n = 3;
  } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    n = 4;
  }
  if (n == 0 || n > left) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

TextEncoding examineEncoding(const uint8_t* data, size_t size) {
  TextEncoding out;
  if (data == nullptr) return out;
  if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF)))
    out.utf16 = true;
  size_t lf = 0;
  size_t loneCr = 0;
  int32_t line = 1;
  bool inComment = false;
  bool lineCounted = false;
  // Letters that only make sense as UTF-8 count only when every byte above
  // 127 in the file belongs to such a letter: Windows-1252 text often holds
  // a lone "é", which is no UTF-8.
  bool validUtf8 = true;
  size_t lineStart = 0;
  int32_t firstLine = 0;
  size_t firstStart = 0;
  // The readers drop a UTF-8 byte-order mark.
  size_t begin = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
  for (size_t i = begin; i < size; ++i) {
    uint8_t b = data[i];
    if (b == 0) out.utf16 = true;
    if (b == '\n') {
      ++lf;
      ++line;
      inComment = false;
      lineCounted = false;
      lineStart = i + 1;
      continue;
    }
    if (b == '\r' && (i + 1 >= size || data[i + 1] != '\n')) {
      if (++loneCr == 1) out.loneCrLine = line;
    }
    if (b == '#') inComment = true;
    if (b < 0x80) continue;
    size_t n = utf8Sequence(data + i, size - i);
    if (n == 0) {
      validUtf8 = false;
      continue;
    }
    if (!inComment && !lineCounted) {
      lineCounted = true;
      ++out.utf8Lines;
      if (firstLine == 0) {
        firstLine = line;
        firstStart = lineStart;
      }
    }
    i += n - 1;
  }
  if (lf == 0 && loneCr > 0) {
    out.crOnly = true;
    out.loneCrLine = 0;
  }
  if (validUtf8 && firstLine > 0 && !out.utf16) {
    out.utf8Line = firstLine;
    size_t end = firstStart;
    while (end < size && data[end] != '\n' && data[end] != '\r' && data[end] != '#') ++end;
    size_t start = firstStart;
    while (start < end && (data[start] == ' ' || data[start] == '\t')) ++start;
    if (start < begin) start = begin;
    while (end > start && (data[end - 1] == ' ' || data[end - 1] == '\t')) --end;
    out.utf8Sample.assign(reinterpret_cast<const char*>(data) + start, end - start);
  } else {
    out.utf8Lines = 0;
  }
  return out;
}

bool readFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  zfile::Handle file = zfile::openRead(path.c_str());
  if (file == zfile::kNoFile) return false;
  uint32_t size = zfile::sizeLow(file);
  // The readers give up on a file this large; so does the scan.
  if (size != 0xFFFFFFFFu && size <= (64u << 20)) {
    bytes.resize(size);
    bytes.resize(size > 0 ? zfile::read(file, &bytes[0], size) : 0);
  }
  zfile::close(file);
  return true;
}

bool reportEncoding(const TextEncoding& encoding, const std::string& file, Findings& findings) {
  if (encoding.utf16) {
    findings.error(file, 1,
                   "the file is saved as UTF-16 (\"Unicode\" in Notepad): the saver reads one "
                   "byte as one character and finds nothing it knows in it; save it as "
                   "Windows-1252 (\"ANSI\")");
    return false;
  }
  if (encoding.crOnly) {
    findings.error(file, 1,
                   "the lines end in a carriage return alone (old Mac line ends): the saver sees "
                   "no line break and reads the whole file as one long line; save it with "
                   "Windows (CR LF) or Unix (LF) line ends");
    return false;
  }
  if (encoding.loneCrLine > 0)
    findings.error(file, encoding.loneCrLine,
                   "this line ends in a carriage return alone (an old Mac line end): the saver "
                   "sees no line break there and joins it with the next line");
  if (encoding.utf8Line > 0) {
    std::string message = "\"" + encoding.utf8Sample +
                          "\" is saved as UTF-8: the saver reads one byte as one Windows-1252 "
                          "character, so each accented letter, curly quote or \"...\" sign "
                          "shows as two or three wrong characters; save the file as "
                          "Windows-1252 (\"ANSI\")";
    if (encoding.utf8Lines > 1)
      message += " (" + std::to_string(encoding.utf8Lines - 1) + " more line" +
                 (encoding.utf8Lines > 2 ? "s" : "") + " below)";
    findings.error(file, encoding.utf8Line, message);
  }
  return true;
}
