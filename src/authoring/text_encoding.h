// What the bytes of a text file say about how it was saved. The saver reads
// one byte as one Windows-1252 character and ends lines at LF (a CR before
// it is dropped); files saved otherwise read as something else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "authoring/findings.h"

struct TextEncoding {
  bool utf16 = false;      // a UTF-16 byte-order mark, or NUL bytes
  bool crOnly = false;     // line breaks made of a CR alone, and no LF at all
  int32_t loneCrLine = 0;  // else the first line ended by a CR alone; 0: none
  int32_t utf8Line = 0;    // first line holding UTF-8 letters before any "#"; 0: none
  int32_t utf8Lines = 0;   // lines holding them
  std::string utf8Sample;  // the first such line, up to its "#"
};

TextEncoding examineEncoding(const uint8_t* data, size_t size);

// The file's bytes; false when it cannot be opened.
bool readFileBytes(const std::string& path, std::string& bytes);

// Reports what the encoding does to the file named; false when the saver
// cannot read the file at all (UTF-16, CR line ends), so that nothing else
// is to be said about it.
bool reportEncoding(const TextEncoding& encoding, const std::string& file, Findings& findings);
