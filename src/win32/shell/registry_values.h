// The registry's side of the settings: the keys, the default folder, and
// how a value read from the registry is taken. Portable, so that the rules
// are tested natively and fuzzed; settings_store_win32.cpp does the reading.
#pragma once

#include <cstddef>
#include <cstdint>

extern const char kDefaultDirectory[];
extern const char kProductKey[];
extern const char kPlatformKey[];
// A show on every monitor (DWORD; 0: the primary alone), beside the 16.
extern const char kEveryMonitorValue[];

// Registry value types as the registry reports them.
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegDword = 4;

// Applies a value read from the registry to a 32-bit field. Only a value of
// exactly four bytes is taken (a DWORD, or any type of that size, as the
// four-byte read buffer would hold it); anything else leaves the field.
// Returns whether the field was set.
bool applyDwordValue(uint32_t& field, uint32_t type, const uint8_t* data, size_t size);

// Applies a "Directory" value: the text up to its first NUL or the end of
// the data, used only when it fits in 255 characters. A value that is no
// text leaves the folder alone. Returns whether the folder was set.
bool applyDirectoryValue(char (&directory)[256], uint32_t type, const uint8_t* data, size_t size);

// Applies a "Scale" value: a DWORD of 1 to 8 is taken; any other type,
// size or number means automatic (0).
void applyScaleValue(uint32_t& scale, uint32_t type, const uint8_t* data, size_t size);
