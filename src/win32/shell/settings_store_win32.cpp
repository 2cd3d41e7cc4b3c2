#include "win32/shell/settings_store.h"

#include <windows.h>

#include <cstring>

#include "core/show/settings.h"
#include "win32/shell/registry_values.h"

namespace {

// Reads one value whole, whatever its type and size, into a buffer of at
// most capacity bytes. False when it is missing or larger than capacity.
bool queryValue(HKEY key, const char* name, uint8_t* buffer, DWORD capacity, DWORD& type,
                DWORD& size) {
  size = capacity;
  type = REG_NONE;
  return RegQueryValueExA(key, name, nullptr, &type, buffer, &size) == ERROR_SUCCESS;
}

void readDword(HKEY key, const char* name, uint32_t& field) {
  uint8_t buffer[4] = {};
  DWORD type = 0;
  DWORD size = 0;
  if (queryValue(key, name, buffer, sizeof buffer, type, size)) {
    applyDwordValue(field, type, buffer, size);
  }
}

void readDirectory(HKEY key, char (&directory)[256]) {
  // 256 bytes as stored, plus room for the NUL the registry may add.
  uint8_t folder[257] = {};
  DWORD type = 0;
  DWORD size = 0;
  if (queryValue(key, "Directory", folder, 256, type, size)) {
    applyDirectoryValue(directory, type, folder, size);
  }
}

HWND windowOf(const SaverSettings& s) { return static_cast<HWND>(s.window); }

}  // namespace

void loadPlatformSettings(SaverSettings& s) {
  s.passwordDelay = 15;
  s.mouseThreshold = 50;
  s.inputSuspended = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPlatformKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  readDword(key, "Password Delay", s.passwordDelay);
  uint32_t threshold = static_cast<uint32_t>(s.mouseThreshold);
  readDword(key, "Mouse Threshold", threshold);
  s.mouseThreshold = static_cast<int32_t>(threshold);
  RegCloseKey(key);
}

void loadProductSettings(SaverSettings& s) {
  std::memcpy(s.directory, kDefaultDirectory, std::strlen(kDefaultDirectory) + 1);
  s.setDefaults();
  s.scale = 0;
  // The folder the installer recorded for every user of the machine; a
  // user's own "Directory" below wins over it. Read access only: standard
  // users cannot open machine keys for writing.
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    readDirectory(key, s.directory);
    RegCloseKey(key);
  }
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  readDirectory(key, s.directory);
  for (const ProductValue& value : kProductValues) readDword(key, value.name, s.*value.field);
  readDword(key, kEveryMonitorValue, s.everyMonitor);
  uint8_t scaleData[4] = {};
  DWORD type = 0;
  DWORD size = 0;
  if (queryValue(key, "Scale", scaleData, sizeof scaleData, type, size)) {
    applyScaleValue(s.scale, type, scaleData, size);
  }
  RegCloseKey(key);
}

void saveProductSettings(const SaverSettings& s) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (const ProductValue& value : kProductValues) {
    DWORD data = s.*value.field;
    RegSetValueExA(key, value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
  }
  DWORD every = s.everyMonitor != 0 ? 1 : 0;
  RegSetValueExA(key, kEveryMonitorValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&every),
                 sizeof every);
  RegCloseKey(key);
}

void requestClose(SaverSettings& s) {
  s.closeRequested = 1;
  PostMessageA(windowOf(s), WM_CLOSE, 0, 0);
}

void suspendInput(SaverSettings& s) {
  s.inputSuspended = 1;
  SendMessageA(windowOf(s), WM_SETCURSOR, 0, 0);
}

void resumeInput(SaverSettings& s) {
  s.inputSuspended = 0;
  SendMessageA(windowOf(s), WM_SETCURSOR, 0, 0);
  POINT p{};
  GetCursorPos(&p);
  s.startCursor.x = p.x;
  s.startCursor.y = p.y;
}
