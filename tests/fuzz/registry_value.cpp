// The handling of registry values of any type and size: the DWORD values
// and the "Directory" text.
#include <cstring>
#include <memory>

#include "core/show/settings.h"
#include "fuzz_support.h"
#include "win32/shell/registry_values.h"

namespace {

void checkDword(uint32_t type, const uint8_t* data, size_t size) {
  const uint32_t before = 0xA5A5A5A5u;
  uint32_t field = before;
  bool taken = applyDwordValue(field, type, data, size);
  fuzz::require(taken == (size == 4), "only four-byte values are taken");
  if (taken) {
    uint32_t expected = 0;
    for (int i = 3; i >= 0; --i) expected = expected << 8 | data[i];
    fuzz::require(field == expected, "DWORD is little-endian");
  } else {
    fuzz::require(field == before, "a refused value leaves the field");
  }
}

void checkDirectory(uint32_t type, const uint8_t* data, size_t size) {
  SaverSettings record;
  std::memset(record.directory, 'q', sizeof record.directory);
  std::strcpy(record.directory, kDefaultDirectory);
  char before[256];
  std::memcpy(before, record.directory, sizeof before);

  bool taken = applyDirectoryValue(record.directory, type, data, size);
  fuzz::require(std::memchr(record.directory, 0, sizeof record.directory) != nullptr,
                "folder stays terminated");
  if (!taken) {
    fuzz::require(std::memcmp(before, record.directory, sizeof before) == 0,
                  "a refused value leaves the folder");
    return;
  }
  fuzz::require(type == kRegSz || type == kRegExpandSz, "only text is taken");
  size_t length = std::strlen(record.directory);
  fuzz::require(length <= 255 && length <= size, "folder fits");
  fuzz::require(std::memcmp(record.directory, data, length) == 0, "folder is the value's text");
  fuzz::require(length == size || data[length] == '\0', "folder ends at the value's NUL");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Input: one selector byte, the four-byte type, then the value's bytes.
  uint8_t which = fuzz::takeU8(data, size);
  uint32_t type = fuzz::takeU32(data, size);
  // The value in an allocation of exactly its size, as small as 0 bytes.
  std::unique_ptr<uint8_t[]> value(new uint8_t[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(value.get(), data, size);
  if (which & 1) {
    checkDirectory(type, value.get(), size);
  } else {
    checkDword(type, value.get(), size);
  }
  return 0;
}
