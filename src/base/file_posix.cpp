// Native stand-in for the Win32 file calls. Data-folder paths are built with
// backslashes, so they are turned into slashes here.
#include "base/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace zfile {
namespace {

std::string nativePath(const char* path) {
  std::string p(path);
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  return p;
}

}  // namespace

Handle openRead(const char* path) {
  if (path == nullptr) return kNoFile;
  std::string p = nativePath(path);
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kNoFile;
  int fd = ::open(p.c_str(), O_RDONLY);
  return fd < 0 ? kNoFile : static_cast<Handle>(fd);
}

Handle createWrite(const char* path) {
  if (path == nullptr) return kNoFile;
  int fd = ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return fd < 0 ? kNoFile : static_cast<Handle>(fd);
}

uint32_t sizeLow(Handle file) {
  struct stat st {};
  if (file == kNoFile || ::fstat(static_cast<int>(file), &st) != 0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(static_cast<uint64_t>(st.st_size) & 0xFFFFFFFFu);
}

size_t read(Handle file, void* dest, size_t count) {
  if (file == kNoFile || file == 0) return 0;
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::read(static_cast<int>(file), static_cast<char*>(dest) + done, count - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t write(Handle file, const void* src, size_t count) {
  if (file == kNoFile || file == 0) return 0;
  ssize_t n = ::write(static_cast<int>(file), src, count);
  return n < 0 ? 0 : static_cast<size_t>(n);
}

void close(Handle file) {
  if (file == kNoFile || file == 0) return;
  ::close(static_cast<int>(file));
}

Handle openAppend(const char* path) {
  if (path == nullptr) return kNoFile;
  int fd = ::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  return fd < 0 ? kNoFile : static_cast<Handle>(fd);
}

std::string shownPath(const char* path) { return path != nullptr ? nativePath(path) : ""; }

bool exists(const char* path) {
  struct stat st {};
  return path != nullptr && ::stat(nativePath(path).c_str(), &st) == 0;
}

}  // namespace zfile
