// The platform's screen-saver password services, each library loaded for
// one call and freed right after.
#include <windows.h>

#include "win32/shell/modes.h"

namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

bool isNtFamily() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

template <typename Fn>
Fn entryOf(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

BOOL verifyPassword(HWND window) {
  if (isNtFamily()) return 1;
  HMODULE library = LoadLibraryA("PASSWORD.CPL");
  if (library == nullptr) return 1;
  auto verify = entryOf<VerifyScreenSavePwdFn>(library, "VerifyScreenSavePwd");
  if (verify == nullptr) {
    FreeLibrary(library);
    return 1;
  }
  BOOL result = verify(window);
  FreeLibrary(library);
  return result;
}

void changePassword(HWND window) {
  HMODULE library = LoadLibraryA("MPR.DLL");
  if (library == nullptr) return;
  auto change = entryOf<PwdChangePasswordFn>(library, "PwdChangePasswordA");
  if (change == nullptr) {
    FreeLibrary(library);
    return;
  }
  change("SCRSAVE", window, 0, 0);
  FreeLibrary(library);
}
