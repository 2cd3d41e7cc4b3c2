// Poses as the stand-alone preview tool when started by its command name:
// a top-level window of class "Scrprev" with one 152x112 child, for four
// seconds. A windowed (not console) program, as the real tool is, so that
// waiting for it to become idle means something.
#include <windows.h>

namespace {

HWND top = nullptr;

LRESULT CALLBACK stubProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  if (message == WM_TIMER) {
    KillTimer(window, first);
    DestroyWindow(top);
    return 0;
  }
  if (message == WM_DESTROY && window == top) PostQuitMessage(0);
  return DefWindowProcA(window, message, first, second);
}

}  // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = stubProc;
  windowClass.hInstance = self;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "Scrprev";
  RegisterClassA(&windowClass);
  windowClass.lpszClassName = "ScrprevArea";
  RegisterClassA(&windowClass);
  top = CreateWindowExA(0, "Scrprev", "Preview Tool", WS_POPUP | WS_VISIBLE, 400, 100, 152, 112,
                        nullptr, nullptr, self, nullptr);
  if (top == nullptr) return 1;
  CreateWindowExA(0, "ScrprevArea", "", WS_CHILD | WS_VISIBLE, 0, 0, 152, 112, top, nullptr, self,
                  nullptr);
  SetTimer(top, 1, 4000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
