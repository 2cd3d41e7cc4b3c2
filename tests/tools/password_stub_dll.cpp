// Stand-in for the platform's password libraries, placed beside a copy of
// the saver as PASSWORD.CPL and MPR.DLL. The answer of
// VerifyScreenSavePwd comes from ZORBEL_STUB_ANSWER (default 1); every call
// appends one line to the file named by ZORBEL_STUB_LOG.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void record(const char* line) {
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("ZORBEL_STUB_LOG", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  FILE* file = std::fopen(path, "a");
  if (file == nullptr) return;
  std::fputs(line, file);
  std::fputs("\n", file);
  std::fclose(file);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  char line[64];
  std::snprintf(line, sizeof line, "verify %s", window != nullptr ? "window" : "null");
  record(line);
  char answer[16];
  DWORD n = GetEnvironmentVariableA("ZORBEL_STUB_ANSWER", answer, sizeof answer);
  return n > 0 && n < sizeof answer ? std::atoi(answer) : 1;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND window, DWORD a, DWORD b) {
  char line[128];
  std::snprintf(line, sizeof line, "change %s %s %lu %lu",
                provider != nullptr ? provider : "(null)", window != nullptr ? "window" : "null",
                static_cast<unsigned long>(a), static_cast<unsigned long>(b));
  record(line);
  return 0;
}
