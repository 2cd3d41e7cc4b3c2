#include "x11/user_paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace userpaths {
namespace {

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

void setAsideLargeLog(const std::string& path) {
  constexpr off_t kLargestLog = 1 << 20;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && st.st_size > kLargestLog) {
    std::rename(path.c_str(), (path + ".old").c_str());
  }
}

std::string logFolder(const char* xdgStateHome, const char* home) {
  if (xdgStateHome != nullptr && xdgStateHome[0] == '/') {
    return withoutTrailingSlash(xdgStateHome) + "/zorbel";
  }
  if (home == nullptr || home[0] != '/') return std::string();
  return withoutTrailingSlash(home) + "/.local/state/zorbel";
}

std::string screenshotFolder(const std::string& xdgUserDirAnswer, const char* home) {
  std::string answer = xdgUserDirAnswer;
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  answer = withoutTrailingSlash(answer);
  std::string homeFolder = home != nullptr ? withoutTrailingSlash(home) : std::string();
  if (answer.empty() || answer[0] != '/' || answer == homeFolder) {
    if (homeFolder.empty() || homeFolder[0] != '/') return std::string();
    answer = homeFolder + "/Pictures";
  }
  return answer + "/Zorbel Screensaver";
}

std::string askPicturesFolder() {
  FILE* tool = ::popen("xdg-user-dir PICTURES 2>/dev/null", "r");
  if (tool == nullptr) return std::string();
  std::string answer;
  char buffer[256];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, tool)) > 0) answer.append(buffer, got);
  int status = ::pclose(tool);
  return status == 0 ? answer : std::string();
}

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string parent = path.substr(0, slash);
    if (::mkdir(parent.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
  return isFolder(path);
}

}  // namespace userpaths
