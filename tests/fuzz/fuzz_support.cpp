#include "fuzz_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fuzz {
namespace {

std::string folder;

void removeFolder() {
  if (folder.empty()) return;
  if (DIR* dir = opendir(folder.c_str())) {
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    for (const std::string& name : names) {
      std::string path = folder + "/" + name;
      if (unlink(path.c_str()) != 0) rmdir(path.c_str());
    }
  }
  rmdir(folder.c_str());
}

}  // namespace

const std::string& scratchFolder() {
  if (folder.empty()) {
    // Memory-backed when there is such a folder: every run writes files.
    const char* base = std::getenv("TMPDIR");
    if (base == nullptr || *base == '\0')
      base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/zfuzz.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    folder = name.data();
    std::atexit(removeFolder);
  }
  return folder;
}

std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = scratchFolder() + "/" + name;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  require(fd >= 0, "cannot create a scratch file");
  size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, data + done, size - done);
    require(n > 0, "cannot write a scratch file");
    done += static_cast<size_t>(n);
  }
  close(fd);
  return scratchFolder() + "\\" + name;
}

void removeScratchFile(const std::string& name) {
  std::string path = scratchFolder() + "/" + name;
  unlink(path.c_str());
}

uint32_t takeU32(const uint8_t*& data, size_t& size) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(takeU8(data, size)) << (8 * i);
  return value;
}

uint8_t takeU8(const uint8_t*& data, size_t& size) {
  if (size == 0) return 0;
  uint8_t value = *data;
  ++data;
  --size;
  return value;
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
