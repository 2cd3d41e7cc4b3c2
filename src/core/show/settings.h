// The record of a show's settings, and of the saver window's run-time state.
// A front end fills it: the Windows saver from the registry, the Linux
// saver from its options.
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
  // "EveryMonitor": a show on each monitor (non-zero) or on the primary
  // alone (0). Shown by the dialog and saved with the 16; its default is 1.
  uint32_t everyMonitor;

  // Run-time state, never stored. The window is an HWND and the timer a
  // UINT_PTR on Windows; they are kept opaque so that this stays portable.
  void* window;
  ScreenPoint startCursor;
  uint32_t startTick;
  uintptr_t timerId;
  int32_t inputSuspended;
  int32_t closeRequested;

  // The 16 product values and "EveryMonitor" to their defaults; folder,
  // platform values and "Scale" stay.
  void setDefaults();
};

// One product value: its name ("Time Delay", as the registry and the
// options call it) and field.
struct ProductValue {
  char name[16];
  uint32_t SaverSettings::*field;
};
// The 16 values in the order they are read and written.
extern const ProductValue kProductValues[16];
