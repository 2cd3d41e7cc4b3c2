// Each part of the name is looked for in its folder without regard to
// capitals.
#include <dirent.h>
#include <strings.h>

#include "authoring/name_case.h"

std::string nameOnDisk(const std::string& folder, const std::string& name) {
  std::string dir = folder;
  for (char& c : dir) {
    if (c == '\\') c = '/';
  }
  std::string found;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    std::string match;
    if (DIR* d = opendir(dir.c_str())) {
      while (dirent* e = readdir(d)) {
        if (strcasecmp(e->d_name, part.c_str()) == 0) {
          match = e->d_name;
          if (match == part) break;
        }
      }
      closedir(d);
    }
    if (match.empty()) return "";
    found += (found.empty() ? "" : "/") + match;
    dir += "/" + match;
    start = end + 1;
  }
  return found == name ? "" : found;
}
