// Files of the data folder are opened as the folder, one backslash and the
// name; the native file layer turns the backslash into a slash.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kDataPathSize = 512;

// Fills path with folder + "\" + name, cut to what the buffer holds. False
// when it had to be cut.
bool dataPath(char (&path)[kDataPathSize], const char* folder, const char* name);

// The same without a length limit, for the authoring tools.
inline std::string dataPath(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}
