// A window for the saver to draw into or to be owned by.
//   preview_host WIDTH HEIGHT X Y LIFETIME_MS [scrprev]
// Prints the handle of the window a preview should use as decimal, then
// runs until LIFETIME_MS have passed and destroys its window. With
// "scrprev" it poses as the stand-alone preview tool: a top-level window of
// class "Scrprev" whose first child is the preview parent. Started without
// arguments (as the tool is), it is a 152x112 "Scrprev" for 4 seconds.
// Half-way through it erases the child area once, so that a test can see
// the picture come back on the next timer tick.
//   preview_host desktop   prints the desktop window's handle
//   preview_host close     posts WM_CLOSE to the preview window
// On the first timer it also prints "child CLASS TITLE WxH" of its child.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND host = nullptr;
HWND top = nullptr;
constexpr UINT_PTR kEnd = 1;
constexpr UINT_PTR kErase = 2;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  if (message == WM_TIMER && first == kEnd) {
    KillTimer(window, kEnd);
    DestroyWindow(top);
    return 0;
  }
  if (message == WM_TIMER && first == kErase) {
    KillTimer(window, kErase);
    HWND child = GetWindow(host, GW_CHILD);
    if (child != nullptr) {
      char className[64] = {};
      char title[64] = {};
      RECT rect = {};
      GetClassNameA(child, className, sizeof className);
      GetWindowTextA(child, title, sizeof title);
      GetWindowRect(child, &rect);
      std::printf("child %s %s %ldx%ld\n", className, title, rect.right - rect.left,
                  rect.bottom - rect.top);
      std::fflush(stdout);
      RedrawWindow(child, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
    }
    return 0;
  }
  if (message == WM_DESTROY && window == top) PostQuitMessage(0);
  return DefWindowProcA(window, message, first, second);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "desktop") == 0) {
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<intptr_t>(GetDesktopWindow())));
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "close") == 0) {
    // Closes every preview window, as a parent that lets go would.
    int closed = 0;
    for (HWND preview = FindWindowA("ScrClass", "SaverPreview"); preview != nullptr && closed < 16;
         preview = FindWindowA("ScrClass", "SaverPreview"), ++closed) {
      PostMessageA(preview, WM_CLOSE, 0, 0);
      Sleep(200);
    }
    return closed > 0 ? 0 : 1;
  }
  bool tool = argc < 2 || (argc > 6 && std::strcmp(argv[6], "scrprev") == 0);
  int width = argc > 1 ? std::atoi(argv[1]) : 152;
  int height = argc > 2 ? std::atoi(argv[2]) : 112;
  int x = argc > 3 ? std::atoi(argv[3]) : 100;
  int y = argc > 4 ? std::atoi(argv[4]) : 100;
  int lifetime = argc > 5 ? std::atoi(argv[5]) : 4000;

  HINSTANCE self = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = hostProc;
  windowClass.hInstance = self;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = tool ? "Scrprev" : "PreviewHost";
  RegisterClassA(&windowClass);
  windowClass.lpszClassName = "PreviewHostArea";
  RegisterClassA(&windowClass);

  // WS_POPUP without a border: the window rectangle is the client area.
  top = CreateWindowExA(WS_EX_TOPMOST, tool ? "Scrprev" : "PreviewHost", "Preview Host",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                        nullptr, self, nullptr);
  if (top == nullptr) return 1;
  host = top;
  if (tool) {
    host = CreateWindowExA(0, "PreviewHostArea", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           width, height, top, nullptr, self, nullptr);
    if (host == nullptr) return 1;
  }
  std::printf("%lld\n", static_cast<long long>(reinterpret_cast<intptr_t>(host)));
  std::fflush(stdout);
  SetTimer(top, kEnd, static_cast<UINT>(lifetime), nullptr);
  SetTimer(top, kErase, static_cast<UINT>(lifetime / 2), nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
