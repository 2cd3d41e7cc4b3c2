// Takes the activation away from whatever window has it, as a program that
// pops up over the saver would: opens a small window of its own, brings it
// to the foreground and keeps it there for a while.
//
//   focus_taker_gui [HOLD_MS]   default 1500
//
// Exit codes: 0 its window was the foreground window, 2 no window, 4 it
// never became the foreground window.
#include <windows.h>

#include <cstdlib>

namespace {

const char* const kClassName = "FocusTaker";

LRESULT CALLBACK takerProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  return DefWindowProcA(window, message, first, second);
}

void pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR line, int) {
  DWORD hold = line != nullptr && line[0] != '\0' ? std::strtoul(line, nullptr, 10) : 1500;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = takerProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  // Topmost as well, or it would open underneath the saver.
  HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "FocusTaker", WS_POPUP | WS_VISIBLE, 10,
                                10, 64, 64, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 2;

  bool gotForeground = false;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < hold) {
    if (GetForegroundWindow() != window) {
      SetForegroundWindow(window);
      SetActiveWindow(window);
      SetFocus(window);
    } else {
      gotForeground = true;
    }
    pump();
    Sleep(20);
  }
  DestroyWindow(window);
  pump();
  return gotForeground ? 0 : 4;
}
