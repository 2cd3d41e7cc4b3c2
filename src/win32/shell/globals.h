// Process-wide Win32 handles shared by the shell and the drawing code.
#pragma once

#include <windows.h>

#include <cstdint>

// The executable's instance handle, stored by the entry point.
extern HINSTANCE instance;
// The full-screen window; every screen drawing context is taken from it.
extern HWND saverWindow;

// A window number from the command line as a handle (sign-extended, as
// 32-bit handle values are on 64-bit Windows).
inline HWND windowFromNumber(int32_t number) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(number));
}
