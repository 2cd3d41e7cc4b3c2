// Sends messages to a running full-screen saver, as another program would.
//
//   saver_poke close                 WM_CLOSE
//   saver_poke syscommand CODE       WM_SYSCOMMAND with that code (decimal)
//   saver_poke keys N [PAUSE_MS] [VK]  N key presses (default Enter), each
//                                    answered, and every monitor's item
//                                    drawn, before the next; prints
//                                    "steps N median_ms M max_ms X" of the
//                                    keys' own answers
//   saver_poke hold N [VK]           one key held down (default Enter): a
//                                    first WM_KEYDOWN, N - 1 repeats with the
//                                    previous-state bit set, one WM_KEYUP
//   saver_poke display W H           the display's mode changed to W x H, as
//                                    the display settings change it; the
//                                    system tells every window
//   saver_poke monitors              the monitors the saver's process sees,
//                                    one "WxH+X+Y" line each
//
// Exit codes: 0 done, 1 usage, 2 no saver window, 3 a message got no answer
// within 10 s, 4 the mode was refused.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "win32/shell/saver_messages.h"

namespace {

bool sendAnswered(HWND window, UINT message, WPARAM first, LPARAM second) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, message, first, second, SMTO_NORMAL, 10000, &result) != 0;
}

int pressKeys(HWND window, long count, DWORD pauseMs, WPARAM key) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (long i = 0; i < count; ++i) {
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceCounter(&before);
    if (!sendAnswered(window, WM_KEYDOWN, key, 1)) return 3;
    QueryPerformanceCounter(&after);
    if (!sendUntilNoneOwed(window, 10000)) return 3;
    sendAnswered(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    times.push_back(1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    if (pauseMs > 0) Sleep(pauseMs);
  }
  if (times.empty()) return 0;
  std::sort(times.begin(), times.end());
  std::printf("steps %ld median_ms %.2f max_ms %.2f\n", count, times[times.size() / 2],
              times.back());
  return 0;
}

// As the platform sends a held key: bit 30 tells a repeat from a first press.
int holdKey(HWND window, long count, WPARAM key) {
  for (long i = 0; i < count; ++i) {
    LPARAM state = i == 0 ? 1 : static_cast<LPARAM>(0x40000001u);
    if (!sendAnswered(window, WM_KEYDOWN, key, state)) return 3;
    if (!sendUntilNoneOwed(window, 10000)) return 3;
  }
  return sendAnswered(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u)) ? 0 : 3;
}

BOOL CALLBACK printMonitor(HMONITOR, HDC, LPRECT rect, LPARAM) {
  std::printf("%ldx%ld%+ld%+ld\n", rect->right - rect->left, rect->bottom - rect->top, rect->left,
              rect->top);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  HWND window = FindWindowA(nullptr, "SaverWindow");
  if (window == nullptr) return 2;
  if (std::strcmp(argv[1], "close") == 0) {
    return sendAnswered(window, WM_CLOSE, 0, 0) ? 0 : 3;
  }
  if (std::strcmp(argv[1], "syscommand") == 0 && argc > 2) {
    return sendAnswered(window, WM_SYSCOMMAND, std::strtoul(argv[2], nullptr, 10), 0) ? 0 : 3;
  }
  if (std::strcmp(argv[1], "keys") == 0 && argc > 2) {
    long count = std::strtol(argv[2], nullptr, 10);
    DWORD pause = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 0;
    WPARAM key = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : VK_RETURN;
    return pressKeys(window, count, pause, key);
  }
  if (std::strcmp(argv[1], "display") == 0 && argc > 3) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = std::strtoul(argv[2], nullptr, 10);
    mode.dmPelsHeight = std::strtoul(argv[3], nullptr, 10);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL
               ? 0
               : 4;
  }
  if (std::strcmp(argv[1], "monitors") == 0) {
    return EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0) ? 0 : 3;
  }
  if (std::strcmp(argv[1], "hold") == 0 && argc > 2) {
    long count = std::strtol(argv[2], nullptr, 10);
    WPARAM key = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : VK_RETURN;
    return holdKey(window, count, key);
  }
  return 1;
}
