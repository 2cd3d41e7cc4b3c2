// The saver shell's own process-wide state.
#pragma once

#include <windows.h>

#include <cstdint>

// The executable's instance handle, stored by the entry point.
extern HINSTANCE instance;
struct SaverSettings;
// The settings record of the run, made by the entry point.
extern SaverSettings* settings;

// A window number from the command line as a handle (sign-extended, as
// 32-bit handle values are on 64-bit Windows).
inline HWND windowFromNumber(int32_t number) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(number));
}
