#include <windows.h>

#include "base/file.h"

namespace zfile {
namespace {

HANDLE toWin(Handle file) { return reinterpret_cast<HANDLE>(file); }
bool usable(Handle file) { return file != kNoFile && file != 0; }

}  // namespace

Handle openRead(const char* path) {
  if (path == nullptr) return kNoFile;
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<Handle>(h);
}

Handle createWrite(const char* path) {
  if (path == nullptr) return kNoFile;
  HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  return h == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<Handle>(h);
}

uint32_t sizeLow(Handle file) {
  if (!usable(file)) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(GetFileSize(toWin(file), nullptr));
}

size_t read(Handle file, void* dest, size_t count) {
  if (!usable(file)) return 0;
  size_t done = 0;
  while (done < count) {
    DWORD chunk = count - done > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count - done);
    DWORD got = 0;
    if (!ReadFile(toWin(file), static_cast<char*>(dest) + done, chunk, &got, nullptr) || got == 0)
      break;
    done += got;
  }
  return done;
}

size_t write(Handle file, const void* src, size_t count) {
  if (!usable(file)) return 0;
  DWORD written = 0;
  if (!WriteFile(toWin(file), src, static_cast<DWORD>(count), &written, nullptr)) return 0;
  return written;
}

void close(Handle file) {
  if (usable(file)) CloseHandle(toWin(file));
}

Handle openAppend(const char* path) {
  if (path == nullptr) return kNoFile;
  HANDLE h = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<Handle>(h);
}

std::string shownPath(const char* path) { return path != nullptr ? path : ""; }

bool exists(const char* path) {
  if (path == nullptr) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

}  // namespace zfile
