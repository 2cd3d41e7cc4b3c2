#include <windows.h>
// After windows.h, which it builds on.
#include <shlobj.h>

#include <cstring>

#include "win32/shell/user_folders.h"

namespace userfolders {
namespace {

// Appends "\name" and makes that folder; true when it is a folder after.
bool subfolder(char (&folder)[kFolderSize], const char* name) {
  size_t length = std::strlen(folder);
  if (length + 1 + std::strlen(name) + 1 > kFolderSize) return false;
  folder[length] = '\\';
  std::strcpy(folder + length + 1, name);
  CreateDirectoryA(folder, nullptr);
  DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool known(int which, char (&folder)[kFolderSize]) {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, which | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path) !=
          S_OK ||
      path[0] == '\0') {
    return false;
  }
  std::strcpy(folder, path);
  return true;
}

}  // namespace

bool logFolder(char (&folder)[kFolderSize]) {
  return known(CSIDL_LOCAL_APPDATA, folder) && subfolder(folder, "Quenwick") &&
         subfolder(folder, "Zorbel Screensaver");
}

bool screenshotFolder(char (&folder)[kFolderSize]) {
  return known(CSIDL_MYPICTURES, folder) && subfolder(folder, "Zorbel Screensaver");
}

}  // namespace userfolders
