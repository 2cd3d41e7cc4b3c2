// The platform's screen-saver password services, each library loaded for
// one call and freed right after.
#include <windows.h>

#include "shell/modes.h"

namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

// Library names can be redirected by tests through the environment, so the
// library path can be exercised with stand-ins of our own.
const char* libraryName(const char* variable, const char* fallback, char* buffer, DWORD size) {
  DWORD n = GetEnvironmentVariableA(variable, buffer, size);
  return n > 0 && n < size ? buffer : fallback;
}

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
  char override[MAX_PATH];
  bool forced = GetEnvironmentVariableA("ZORBEL_PASSWORD_CPL", override, MAX_PATH) > 0;
  if (!forced && isNtFamily()) return 1;
  HMODULE library =
      LoadLibraryA(libraryName("ZORBEL_PASSWORD_CPL", "PASSWORD.CPL", override, MAX_PATH));
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
  char override[MAX_PATH];
  HMODULE library = LoadLibraryA(libraryName("ZORBEL_MPR_DLL", "MPR.DLL", override, MAX_PATH));
  if (library == nullptr) return;
  auto change = entryOf<PwdChangePasswordFn>(library, "PwdChangePasswordA");
  if (change == nullptr) {
    FreeLibrary(library);
    return;
  }
  change("SCRSAVE", window, 0, 0);
  FreeLibrary(library);
}
