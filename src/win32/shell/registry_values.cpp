#include "win32/shell/registry_values.h"

#include <cstring>

const char kDefaultDirectory[] = "c:\\program files\\quenwick\\zorbel screensaver";
const char kProductKey[] = "Software\\Quenwick\\Zorbel Screensaver";
const char kPlatformKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kEveryMonitorValue[] = "EveryMonitor";

bool applyDwordValue(uint32_t& field, uint32_t type, const uint8_t* data, size_t size) {
  (void)type;
  if (data == nullptr || size != 4) return false;
  // Little-endian, as the registry stores a DWORD.
  field = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
          static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
  return true;
}

bool applyDirectoryValue(char (&directory)[256], uint32_t type, const uint8_t* data, size_t size) {
  if (data == nullptr || (type != kRegSz && type != kRegExpandSz)) return false;
  // The text ends at its first NUL, or at the end of the data when the
  // stored value carries none.
  const void* nul = std::memchr(data, 0, size);
  size_t length =
      nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  if (length > 255) return false;
  std::memcpy(directory, data, length);
  directory[length] = '\0';
  return true;
}

void applyScaleValue(uint32_t& scale, uint32_t type, const uint8_t* data, size_t size) {
  uint32_t value = 0;
  bool taken = type == kRegDword && applyDwordValue(value, type, data, size);
  scale = taken && value <= 8 ? value : 0;
}
