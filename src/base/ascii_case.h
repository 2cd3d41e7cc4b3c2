// Small letters for the file names and keywords of the data folder, which
// are compared in ASCII whatever the locale says.
#pragma once

#include <string>

constexpr char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string text) {
  for (char& c : text) c = lowerAscii(c);
  return text;
}
