#include "base/data_path.h"

#include <cstring>

bool dataPath(char (&path)[kDataPathSize], const char* folder, const char* name) {
  if (folder == nullptr) folder = "";
  if (name == nullptr) name = "";
  size_t folderLength = std::strlen(folder);
  size_t nameLength = std::strlen(name);
  bool fits = folderLength + 1 + nameLength < kDataPathSize;
  path[0] = '\0';
  std::strncat(path, folder, kDataPathSize - 1);
  std::strncat(path, "\\", kDataPathSize - 1 - std::strlen(path));
  std::strncat(path, name, kDataPathSize - 1 - std::strlen(path));
  return fits;
}
