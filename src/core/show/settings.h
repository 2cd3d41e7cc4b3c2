// The one record of stored settings and of the saver window's run-time state.
// This header and settings.cpp are portable; settings_win32.cpp reads and
// writes the registry and drives the window.
#pragma once

#include <cstddef>
#include <cstdint>

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct SaverSettings {
  SaverSettings();

  // Stored settings.
  uint32_t passwordDelay;
  int32_t mouseThreshold;
  char directory[256];
  uint32_t timeDelay;
  uint32_t displayLogo;
  uint32_t usePellow;
  uint32_t useZB;
  uint32_t useRandom;
  uint32_t useOriginal;
  uint32_t useOfficial;
  uint32_t useToasty;
  uint32_t useSound;
  uint32_t perPellow;
  uint32_t perZB;
  uint32_t perRandom;
  uint32_t perOriginal;
  uint32_t perOfficial;
  uint32_t perToasty;
  uint32_t logoFrames;
  // "Scale": the show's enlargement, 0 for automatic. Not one of the
  // dialog's values: never saved, and "Restore Defaults" leaves it.
  uint32_t scale;

  // Run-time state, never stored. The window is an HWND and the timer a
  // UINT_PTR on Windows; they are kept opaque so that this stays portable.
  void* window;
  ScreenPoint startCursor;
  uint32_t startTick;
  uintptr_t timerId;
  int32_t inputSuspended;
  int32_t closeRequested;

  // The 16 product values to their defaults; folder and platform values stay.
  void setDefaults();
  // Registry side (Windows only).
  void loadPlatformSettings();
  void loadProductSettings();
  void saveProductSettings();
  void requestClose();
  void suspendInput();
  void resumeInput();
};

extern SaverSettings* settings;

extern const char* const kDefaultDirectory;
extern const char* const kProductKey;
extern const char* const kPlatformKey;

// Registry value types as the registry reports them.
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegDword = 4;

// One product DWORD value: its registry name and field.
struct ProductValue {
  const char* name;
  uint32_t SaverSettings::*field;
};
// The 16 values in the order they are read and written.
extern const ProductValue kProductValues[16];

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
